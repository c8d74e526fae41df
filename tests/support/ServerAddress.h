#pragma once

#include "domain/uAppSettings.h"

#include <string>

// Points the program's settings at a server address for the object's lifetime.
class TServerAddress {
public:
    explicit TServerAddress(const std::string& aURL) : fSaved(AppSettings)
    {
        fSettings.SetServerURL(aURL);
        AppSettings = &fSettings;
    }
    TServerAddress(const TServerAddress&) = delete;
    TServerAddress& operator=(const TServerAddress&) = delete;
    ~TServerAddress() { AppSettings = fSaved; }

    void Set(const std::string& aURL) { fSettings.SetServerURL(aURL); }

private:
    TAppSettings fSettings;
    TAppSettings* fSaved;
};
