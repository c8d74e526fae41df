#pragma once

#include <functional>
#include <string>
#include <string_view>

// Saves a file and tells the trader when that fails. aWrite writes aFileName
// whole, keeping the old file when it fails; what it raises is logged as an
// alert and shown in a box: aFailure, a Russian text with one "%s" that the
// translator turns ("Cannot save the chart layout: %s"), filled with the
// system's reason. The box comes once per file until a save of that file
// succeeds, so that a full disk does not answer every change with a box.
// True when the file was saved.
bool SaveReported(const std::string& aFileName, std::string_view aFailure,
                  const std::function<void()>& aWrite);

// The texts of the files the program writes whole.
inline constexpr std::string_view cSaveLayoutFailed =
    "Не удалось сохранить расположение графиков: %s";
inline constexpr std::string_view cSaveTemplateFailed = "Не удалось сохранить шаблон: %s";
inline constexpr std::string_view cSaveGroupFailed = "Не удалось сохранить группу символов: %s";
inline constexpr std::string_view cSaveSettingsFailed = "Не удалось сохранить настройки: %s";
inline constexpr std::string_view cSaveAccountsFailed = "Не удалось сохранить файл счетов: %s";
