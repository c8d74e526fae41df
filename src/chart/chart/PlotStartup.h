#pragma once

// The chart engine's process-wide start and stop, made by the program's
// builder and by the test fixtures on the UI thread, once the application
// object exists, before the first chart and after the last. The start, in
// order: the message tables, the shared procedures' palette and dates, the
// cursors, the canvas' default font (from the tables), the registries and
// palette names, then the series kinds' registrations; the stop undoes them
// in reverse. A second start changes nothing; a start after a stop begins
// afresh.
void PlotEngineStartup();
void PlotEngineShutdown();
