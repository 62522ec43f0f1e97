// A player's setup for the tests of what the player sees: the shared
// settings file, a caption file in the current directory, and the dialog.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "settings/caption_file.h"
#include "tests/gui/dialog_driver.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {

class PlayerView : public ::testing::Test {
  protected:
    void Open(const std::string& zolt, const std::string& captions = "") {
        WriteFile(prefix.settingsFile(), "[ZOLT]\r\n" + zolt);
        if (!captions.empty())
            WriteFile(dir.path() / "KVNConfig.ini", "[English]\r\n" + captions);
    }

    // Every caption at its longest: 99 characters, the key's name followed
    // by "W"s (OK: "OK" and 97 "W"s).
    static std::string LongestCaptions() {
        std::string captions;
        for (const CaptionRow& row : CaptionTable) {
            const std::string key = row.key;
            captions += key + "=" + std::string(99 - key.size(), 'W').insert(0, key) + "\r\n";
        }
        return captions;
    }

    TempPrefix prefix;
    TempDir dir;
    ScopedCurrentDir cwd{dir.path()};
    MessageRecorder messages;
    CGraphicsDlg dialog;
};

} // namespace kvn::test
