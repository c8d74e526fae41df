#pragma once

#include "domain/uLog.h"

#include "support/TempHome.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// A debug log open for the test's life in a temporary home; Texts() closes
// it and returns the text column of every line written.
class TLogCapture {
public:
    TLogCapture()
    {
        TLogSources Sources;
        Sources.UserName = [] { return std::string(cLogUserName); };
        Sources.FileName = fFile;
        LogWriter = new TLogWriter(Sources);
    }
    TLogCapture(const TLogCapture&) = delete;
    TLogCapture& operator=(const TLogCapture&) = delete;
    ~TLogCapture() { Close(); }

    void Close()
    {
        delete LogWriter;
        LogWriter = nullptr;
    }

    std::vector<std::string> Texts()
    {
        Close();
        std::vector<std::string> Result;
        std::ifstream In(fFile, std::ios::binary);
        for (std::string Line; std::getline(In, Line);) {
            if (Line.ends_with('\r'))
                Line.pop_back();
            const auto Tab = Line.find('\t', Line.find('\t', Line.find('\t') + 1) + 1);
            Result.push_back(Tab == std::string::npos ? Line : Line.substr(Tab + 1));
        }
        return Result;
    }

    // How many lines start with Prefix.
    int Count(const std::string& Prefix)
    {
        int N = 0;
        for (const std::string& Text : Texts())
            N += Text.starts_with(Prefix) ? 1 : 0;
        return N;
    }

private:
    TTempHome fHome;
    std::string fFile = (fHome.Path() / "Debug.log").string();
};
