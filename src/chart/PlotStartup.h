#pragma once

// The chart engine's process-wide start and stop, made by the program's
// builder and by the test fixtures on the UI thread, before the first chart
// and after the last: the start sets the message tables, then the canvas
// takes its default font from them; the stop empties the tables. A second
// start changes nothing.
void PlotEngineStartup();
void PlotEngineShutdown();
