// Captions after the dialog opens: from the caption file in the player's
// language or the defaults, and never cut.
#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "dialog/about_box.h"
#include "platform/framework/wx/handles.h"
#include "tests/gui/dialog_driver.h"
#include "tests/gui/shown_text.h"
#include "tests/support/temp_dir.h"

namespace kvn::test {
namespace {

const std::filesystem::path kSample =
    std::filesystem::path(KVN_SOURCE_DIR) / "resources" / "KVNConfig.ini";

// The captions in the order of the caption table: title, OK, Cancel, check
// box, MipMapping, AGP, On, Off, Auto (both), Specify, driver tool.
using Captions = std::array<std::string, 11>;

const Captions kDefaults = {"Graphics",
                            "Ok",
                            "Cancel",
                            "Low Graphic Quality",
                            "MipMapping",
                            "AGP",
                            "On",
                            "Off",
                            "Auto",
                            "Specify (Mb)",
                            "Change the Direct Draw driver..."};

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

// A caption as drawn: mnemonic marks taken out.
std::string Unmarked(const std::string& caption) {
    return wxStripMenuCodes(wxString::FromUTF8(caption), wxStrip_Mnemonics).utf8_string();
}

void ExpectCaptions(CGraphicsDlg& dialog, const Captions& expected) {
    const std::vector<std::pair<CButton*, std::string>> controls = {
        {&dialog.titleGroup, expected[0]},   {&dialog.okButton, expected[1]},
        {&dialog.cancelButton, expected[2]}, {&dialog.lowQualityCheck, expected[3]},
        {&dialog.mipGroup, expected[4]},     {&dialog.agpGroup, expected[5]},
        {&dialog.onRadio, expected[6]},      {&dialog.offRadio, expected[7]},
        {&dialog.mipAutoRadio, expected[8]}, {&dialog.agpAutoRadio, expected[8]},
        {&dialog.specifyRadio, expected[9]}, {&dialog.toolButton, expected[10]}};
    for (const auto& [control, text] : controls) {
        EXPECT_EQ(control->GetWindowText(), text) << "control " << control->GetDlgCtrlID();
        EXPECT_EQ(ShownText(kvn::WxWindow(control)), Unmarked(text))
            << "control " << control->GetDlgCtrlID();
    }
    EXPECT_EQ(dialog.GetWindowText(), "KVNConfig");
}

bool HasCaption(wxWindow* w) {
    return dynamic_cast<wxButton*>(w) || dynamic_cast<wxCheckBox*>(w) ||
           dynamic_cast<wxRadioButton*>(w) || dynamic_cast<wxStaticText*>(w) ||
           dynamic_cast<wxStaticBox*>(w);
}

// Every control shows all of its caption at its natural height, lies inside
// the client area, and overlaps no other control except a group box holding
// it whole.
void ExpectNothingCut(wxWindow* dialog) {
    const wxSize client = dialog->GetClientSize();
    std::vector<wxWindow*> controls;
    for (wxWindow* w : dialog->GetChildren())
        if (!w->IsTopLevel())
            controls.push_back(w);
    for (wxWindow* w : controls) {
        const wxRect r = w->GetRect();
        const wxSize best = w->GetBestSize();
        const std::string name = w->GetLabel().utf8_string() + " (" +
                                 wxString(w->GetClassInfo()->GetClassName()).utf8_string() + ")";
        if (HasCaption(w)) {
            EXPECT_LE(best.x, r.width) << name;
        }
        if (HasCaption(w) || dynamic_cast<wxTextCtrl*>(w)) {
            EXPECT_LE(best.y, r.height) << name;
        }
        EXPECT_TRUE(wxRect(client).Contains(r)) << name;
        for (wxWindow* other : controls) {
            const wxRect o = other->GetRect();
            if (other == w || !r.Intersects(o))
                continue;
            const bool held = dynamic_cast<wxStaticBox*>(other) != nullptr && o.Contains(r);
            const bool holds = dynamic_cast<wxStaticBox*>(w) != nullptr && r.Contains(o);
            EXPECT_TRUE(held || holds) << name << " overlaps " << other->GetLabel().utf8_string();
        }
    }
}

TEST(Captions, WithoutCaptionFileEveryControlShowsItsDefault) {
    CaptionSetup setup("English");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        ExpectCaptions(dialog, kDefaults); // "Ok", not the template's "OK"
        EXPECT_EQ(dialog.toolPath, ".\\DrvPicker.exe");
        ExpectNothingCut(kvn::WxWindow(dialog));
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
            ExpectNothingCut(kvn::WxWindow(dialog));
        });
    }
}

TEST(Captions, FrenchSectionWithOnlyOkLeavesTheRestAtTheirDefaults) {
    CaptionSetup setup("French");
    setup.UseFile("[KVNCONFIG]\r\nDRVPICKERPATH=C:\\Tools\\Picker.exe\r\n"
                  "[English]\r\nOK=Okay\r\n[French]\r\nOK=Valider\r\n");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        Captions expected = kDefaults;
        expected[1] = "Valider";
        ExpectCaptions(dialog, expected);
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
        EXPECT_EQ(dialog.specifyRadio.GetWindowText(),
                  "Festlegen in Megabyte (nur für ältere Grafikkarten)");
        ExpectNothingCut(kvn::WxWindow(dialog));
    });
}

// "&x" marks a mnemonic and "&&" shows one "&", as on the original platform;
// a lone "&" at the end shows nothing and raises no message.
TEST(Captions, AmpersandsAreMnemonics) {
    CaptionSetup setup("English");
    setup.UseFile("[English]\r\nOK=&Ok\r\nCANCEL=R&&D\r\nGRAPHICSQUALITY=Low &quality\r\n"
                  "MMAP=Mip&mapping\r\nON=O&n\r\nDRVPICKER=Driver&\r\n");
    CGraphicsDlg dialog;
    RunDialog(dialog, [&] {
        EXPECT_EQ(dialog.okButton.GetWindowText(), "&Ok");
        EXPECT_EQ(ShownText(kvn::WxWindow(dialog.okButton)), "Ok");
        EXPECT_EQ(MnemonicKey(kvn::WxWindow(dialog.okButton)), 'o');
        EXPECT_EQ(ShownText(kvn::WxWindow(dialog.cancelButton)), "R&D");
        EXPECT_EQ(MnemonicKey(kvn::WxWindow(dialog.cancelButton)), 0);
        EXPECT_EQ(ShownText(kvn::WxWindow(dialog.lowQualityCheck)), "Low quality");
        EXPECT_EQ(MnemonicKey(kvn::WxWindow(dialog.lowQualityCheck)), 'q');
        EXPECT_EQ(ShownText(kvn::WxWindow(dialog.onRadio)), "On");
        EXPECT_EQ(MnemonicKey(kvn::WxWindow(dialog.onRadio)), 'n');
        EXPECT_EQ(ShownText(kvn::WxWindow(dialog.mipGroup)), "Mipmapping");
        EXPECT_EQ(ShownText(kvn::WxWindow(dialog.toolButton)), "Driver");
        Pump(100);
        EXPECT_EQ(wxTopLevelWindows.GetCount(), 1u); // no message box
    });
}

TEST(Captions, StaticTextsTreatAmpersandsAlike) {
    TempPrefix prefix;
    CAboutBox about;
    RunDialog(about, [&] {
        wxWindow* text = nullptr;
        for (wxWindow* w : kvn::WxWindow(about)->GetChildren())
            if (dynamic_cast<wxStaticText*>(w) != nullptr && text == nullptr)
                text = w;
        ASSERT_NE(text, nullptr);
        CWnd wrapper;
        wrapper.Attach(kvn::ToNative(text));
        wrapper.SetWindowText("R&&D &Version");
        EXPECT_EQ(ShownText(text), "R&D Version");
        EXPECT_EQ(MnemonicKey(text), 'v');
    });
}

} // namespace
} // namespace kvn::test
