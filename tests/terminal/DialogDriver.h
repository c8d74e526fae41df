#pragma once

#include "domain/uTranslator.h"
#include "platform/Resources.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

// Runs Execute, which shows a modal dialog, and hands the dialog to Drive once
// it is up. A dialog that Drive leaves open is closed after five seconds, so
// a fault fails the test instead of hanging it.
template <class TResult>
TResult DriveModal(const std::function<void(QDialog&)>& Drive,
                   const std::function<TResult()>& Execute)
{
    bool Driven = false;
    QTimer::singleShot(0, [&] {
        if (auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            Driven = true;
            try {
                Drive(*Dialog);
            } catch (const std::exception& E) {
                ADD_FAILURE() << E.what();
                Dialog->reject();
            }
        }
    });
    QTimer Watchdog;
    Watchdog.setSingleShot(true);
    QObject::connect(&Watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "the dialog was left open";
        if (QWidget* Open = QApplication::activeModalWidget())
            Open->close();
    });
    Watchdog.start(5000);
    TResult Result = Execute();
    EXPECT_TRUE(Driven) << "no modal dialog came up";
    return Result;
}

template <class TControl> TControl& Control(QDialog& Dialog, const char* Name)
{
    auto* Found = Dialog.findChild<TControl*>(QString::fromLatin1(Name));
    if (!Found)
        throw std::runtime_error(std::string("no control ") + Name);
    return *Found;
}

// Installs a translator for Language over Folder (the roaming folder) for the
// life of the object, with the program's English table written there.
class TTranslatorScope {
public:
    TTranslatorScope(const std::string& Language, const std::filesystem::path& Folder)
        : fTranslator([Folder] { return Folder.string(); }), fPrevious(Translator)
    {
        std::filesystem::create_directories(Folder);
        const auto Table = FindResource("english.lng");
        std::ofstream(Folder / "english.lng", std::ios::binary)
            << (Table ? std::string(*Table) : std::string());
        fTranslator.SetLanguage(Language);
        Translator = &fTranslator;
    }
    TTranslatorScope(const TTranslatorScope&) = delete;
    TTranslatorScope& operator=(const TTranslatorScope&) = delete;
    ~TTranslatorScope() { Translator = fPrevious; }

private:
    TTranslator fTranslator;
    TTranslator* fPrevious;
};
