// Captions after the dialog opens: from the caption file in the player's
// language or the defaults, and never cut.
#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "dialog/about_box.h"
#include "platform/text/code_page.h"
#include "settings/caption_file.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/player_view.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

const std::filesystem::path kSample =
    std::filesystem::path(KVN_SOURCE_DIR) / "resources" / "KVNConfig.ini";

// The captions in the order of the caption table (AUTO once, for both of its
// controls).
using Captions = std::array<std::string, CaptionTable.size()>;

// The table's defaults, with the caption of `key` replaced by `text`, if given.
Captions DefaultsWith(std::string_view key = "", const std::string& text = "") {
    Captions captions;
    for (std::size_t i = 0; i < CaptionTable.size(); ++i)
        captions[i] = CaptionTable[i].key == key ? text : CaptionTable[i].defaultCaption;
    return captions;
}

// The sample file's sections, as they must show.
const std::pair<const char*, Captions> kSampleSections[] = {
    {"English",
     {"&Graphics", "&OK", "&Cancel", "&Low graphics quality", "&Mipmapping", "AG&P memory", "O&n",
      "O&ff", "&Auto", "&Specify (MB)", "Change the &Direct Draw driver..."}},
    {"French",
     {"&Graphismes", "&OK", "A&nnuler", "&Qualité graphique réduite", "M&ipmapping", "&Mémoire AGP",
      "Ac&tivé", "&Désactivé", "&Auto", "&Préciser (Mo)", "&Changer le pilote Direct Draw..."}},
    {"German",
     {"&Grafik", "&OK", "A&bbrechen", "&Niedrige Grafikqualität", "&Mipmapping", "AGP-&Speicher",
      "&Ein", "A&us", "&Automatisch", "&Festlegen (MB)", "&Direct-Draw-Treiber ändern ..."}},
    {"Spanish",
     {"&Gráficos", "Ac&eptar", "&Cancelar", "Calidad gráfica &baja", "&Mipmapping", "Memo&ria AGP",
      "Ac&tivado", "&Desactivado", "&Automático", "&Indicar (MB)",
      "Cambiar el co&ntrolador Direct Draw..."}},
};

// A player's setup: the shared settings file names the language, and the
// current directory holds the caption file (or none).
class CaptionSetup {
  public:
    explicit CaptionSetup(const std::string& language) {
        WriteFile(prefix_.settingsFile(),
                  "[ZOLT]\r\nLanguage=" + language + "\r\nMipMapping=ON\r\n");
    }
    void UseSample() { std::filesystem::copy_file(kSample, dir_.path() / "KVNConfig.ini"); }
    void UseFile(const std::string& bytes) { WriteFile(dir_.path() / "KVNConfig.ini", bytes); }

  private:
    TempPrefix prefix_;
    TempDir dir_;
    ScopedCurrentDir cwd_{dir_.path()};
};

// A caption as drawn: "&x" shows "x" and "&&" one "&".
std::string Unmarked(const std::string& caption) {
    std::string shown;
    for (std::size_t i = 0; i < caption.size(); ++i)
        if (caption[i] != '&' || (++i < caption.size()))
            shown += caption[i];
    return shown;
}

void ExpectCaptions(CGraphicsDlg& dialog, const Captions& expected) {
    for (std::size_t i = 0; i < CaptionTable.size(); ++i) {
        for (const int id : CaptionTable[i].controls) {
            if (id == 0)
                continue;
            const CWnd* control = dialog.GetDlgItem(id);
            ASSERT_NE(control, nullptr) << "control " << id;
            EXPECT_EQ(control->GetWindowText(), expected[i]) << "control " << id;
            EXPECT_EQ(ShownText(*control), Unmarked(expected[i])) << "control " << id;
        }
    }
    EXPECT_EQ(dialog.GetWindowText(), "KVNConfig");
}

// An up-down control drawn onto its buddy covers no more than the buddy's frame.
bool OnBuddyFrame(const ShownControl& updown, const ShownControl& buddy) {
    const int overlap =
        std::min(updown.rect.right, buddy.rect.right) - std::max(updown.rect.left, buddy.rect.left);
    return updown.drawnOnto == buddy.window && overlap <= buddy.frameWidth;
}

// Every control shows all of its caption at its natural height, lies inside
// the client area, and overlaps no other control except a group box holding
// it whole.
void ExpectNothingCut(const CWnd& dialog) {
    RECT client;
    dialog.GetClientRect(&client);
    const std::vector<ShownControl> controls = ShownControls(dialog);
    for (const ShownControl& c : controls) {
        const std::string name = c.text + " (control " + std::to_string(c.id) + " at " +
                                 std::to_string(c.rect.left) + "," + std::to_string(c.rect.top) +
                                 "-" + std::to_string(c.rect.right) + "," +
                                 std::to_string(c.rect.bottom) + ")";
        EXPECT_LE(c.neededWidth, c.rect.right - c.rect.left) << name;
        EXPECT_LE(c.neededHeight, c.rect.bottom - c.rect.top) << name;
        EXPECT_TRUE(Contains(client, c.rect)) << name;
        for (const ShownControl& other : controls) {
            if (&other == &c || !Overlap(c.rect, other.rect))
                continue;
            const bool held = other.kind == ShownControl::kGroupBox && Contains(other.rect, c.rect);
            const bool holds = c.kind == ShownControl::kGroupBox && Contains(c.rect, other.rect);
            EXPECT_TRUE(held || holds || OnBuddyFrame(c, other) || OnBuddyFrame(other, c))
                << name << " overlaps control " << other.id;
        }
    }
}

TEST(Captions, WithoutCaptionFileEveryControlShowsItsDefault) {
    CaptionSetup setup("English");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        ExpectCaptions(dialog, DefaultsWith()); // "Ok", not the template's "OK"
        EXPECT_EQ(dialog.toolPath, ".\\DrvPicker.exe");
        ExpectNothingCut(dialog);
    });
}

TEST(Captions, SampleFileInEachLanguageShowsItsSectionUncut) {
    for (const auto& section : kSampleSections) {
        SCOPED_TRACE(section.first);
        CaptionSetup setup(section.first);
        setup.UseSample();
        CGraphicsDlg dialog;
        RunDialog(dialog, [&] {
            ExpectCaptions(dialog, section.second);
            ExpectNothingCut(dialog);
        });
    }
}

TEST(Captions, FrenchSectionWithOnlyOkLeavesTheRestAtTheirDefaults) {
    CaptionSetup setup("French");
    setup.UseFile("[KVNCONFIG]\r\nDRVPICKERPATH=C:\\Tools\\Picker.exe\r\n"
                  "[English]\r\nOK=Okay\r\n[French]\r\nOK=Valider\r\n");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        ExpectCaptions(dialog, DefaultsWith("OK", "Valider"));
        EXPECT_EQ(dialog.toolPath, "C:\\Tools\\Picker.exe");
    });
}

TEST(Captions, LongCaptionsWidenTheDialogInsteadOfBeingCut) {
    CaptionSetup setup("German");
    setup.UseFile("[German]\r\nGRAPHICSTITLE=Grafikeinstellungen f\xfcr das Spiel und alle "
                  "Erweiterungen\r\nGRAPHICSQUALITY=Niedrige Grafikqualit\xe4t (f\xfcr langsame "
                  "Rechner)\r\nMMAP=Mipmapping der Texturen\r\nAUTO=Automatisch festlegen\r\n"
                  "SPECIFY=Festlegen in Megabyte (nur f\xfcr \xe4ltere Grafikkarten)\r\n");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        EXPECT_EQ(dialog.agpSpecifyRadio.GetWindowText(),
                  "Festlegen in Megabyte (nur für ältere Grafikkarten)");
        ExpectNothingCut(dialog);
    });
}

// A translation saved in the player's own code page shows in their script.
// On Windows the code page is fixed when the process starts: the Windows
// stage runs this test once more with LC_ALL=ru_RU.UTF-8, which Wine follows.
TEST(Captions, Windows1251SectionShowsInCyrillicUnderARussianLocale) {
    ScopedVariable russian("LC_ALL", "ru_RU.UTF-8");
#ifdef _WIN32
    if (AnsiCodePage() != 1251)
        GTEST_SKIP() << "needs the ANSI code page 1251";
#endif
    CaptionSetup setup("Russian");
    setup.UseFile("[Russian]\r\nOK=\xC3\xEE\xF2\xEE\xE2\xEE\r\n");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        EXPECT_EQ(dialog.okButton.GetWindowText(), "Готово");
        EXPECT_EQ(ShownText(dialog.okButton), "Готово");
    });
}

// "&x" marks a mnemonic and "&&" shows one "&", as on the original platform;
// a lone "&" at the end raises no message (GTK leaves it out, Windows draws it).
TEST(Captions, AmpersandsAreMnemonics) {
    CaptionSetup setup("English");
    setup.UseFile("[English]\r\nOK=&Ok\r\nCANCEL=R&&D\r\nGRAPHICSQUALITY=Low &quality\r\n"
                  "MMAP=Mip&mapping\r\nON=O&n\r\nDRVPICKER=Driver&\r\n");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        EXPECT_EQ(dialog.okButton.GetWindowText(), "&Ok");
        EXPECT_EQ(ShownText(dialog.okButton), "Ok");
        EXPECT_EQ(MnemonicKey(dialog.okButton), 'o');
        EXPECT_EQ(ShownText(dialog.cancelButton), "R&D");
        EXPECT_EQ(MnemonicKey(dialog.cancelButton), 0);
        EXPECT_EQ(ShownText(dialog.lowQualityCheck), "Low quality");
        EXPECT_EQ(MnemonicKey(dialog.lowQualityCheck), 'q');
        EXPECT_EQ(ShownText(dialog.mipOnRadio), "On");
        EXPECT_EQ(MnemonicKey(dialog.mipOnRadio), 'n');
        EXPECT_EQ(ShownText(dialog.mipGroup), "Mipmapping");
#ifdef _WIN32
        EXPECT_EQ(ShownText(dialog.toolButton), "Driver&");
#else
        EXPECT_EQ(ShownText(dialog.toolButton), "Driver");
#endif
        Pump(100);
        EXPECT_EQ(TopLevelWindowCount(), 1u); // no message box
    });
}

TEST(Captions, StaticTextsTreatAmpersandsAlike) {
    TempPrefix prefix;
    CAboutBox about;
    RunDialog(about, [&] {
        CWnd text;
        for (const ShownControl& c : ShownControls(about))
            if (c.kind == ShownControl::kText && !text.IsBound())
                text.Attach(c.window);
        ASSERT_TRUE(text.IsBound());
        text.SetWindowText("R&&D &Version");
        EXPECT_EQ(ShownText(text), "R&D Version");
        EXPECT_EQ(MnemonicKey(text), 'v');
    });
}

} // namespace
} // namespace kvn::test
