#pragma once

#include <string>
#include <vector>

class TChartItem;

// The folder of chart templates: files <name>".tpl" under the per-user
// roaming folder's "Templates", each holding one chart's settings ("info")
// and indicators ("indicators"). Reading and writing one is the chart
// item's (TChartItem::LoadTemplate, SaveTemplate). User-interface thread
// only.
class TChartTemplates {
public:
    // Creates the folder with its missing parents; a failure is logged.
    TChartTemplates();
    TChartTemplates(const TChartTemplates&) = delete;
    TChartTemplates& operator=(const TChartTemplates&) = delete;

    // The folder; empty, and logged, while the roaming folder is not known.
    std::string DoNotifyFolders() const;
    // The names, extension included, of the files in the folder (not
    // folders; hidden and read-only ones too) ending exactly in ".tpl", as
    // Load and Delete build them; sorted.
    std::vector<std::string> GetFileList() const;
    // The name a template is listed, loaded and deleted by: its file name
    // without the final ".tpl" only ("a.tpl.tpl" is "a.tpl").
    static std::string NameOf(const std::string& aFileName);
    // The template aFileName (a name without ".tpl") onto aChart; nothing
    // for a name without a file.
    void Load(const std::string& aFileName, TChartItem& aChart) const;
    // aChart's settings and indicators into the file at the full path
    // aFileName.
    void Save(const std::string& aFileName, TChartItem& aChart) const;
    // Deletes the template aFileName (a name without ".tpl"); nothing for a
    // name without a file.
    void Delete(const std::string& aFileName) const;

    // The folder, empty while it is not known.
    static std::string Folder();

private:
    // The file of the template aFileName; empty for a name that would reach
    // outside the folder, or while the folder is not known.
    static std::string TemplateFile(const std::string& aFileName);
};

// Created by the builder before the chart list; nullptr before and after.
extern TChartTemplates* ChartTemplates;
