#include "settings/caption_file.h"

#include "platform/profile/display_text.h"
#include "platform/profile/profile.h"
#include "settings/text_buffer.h"

void LoadCaptions(const std::string& language, std::string& toolPath,
                  const std::function<void(int controlId, const char* text)>& setControlText) {
    char text[kBufferSize];

    GetPrivateProfileStringA("KVNCONFIG", "DRVPICKERPATH", ".\\DrvPicker.exe", text, kBufferSize,
                             kCaptionFilePath);
    toolPath = text;

    // Captions are shown, not interpreted: a file saved in UTF-8 or UTF-16
    // with its mark keeps every character, and a cut keeps them whole.
    const ProfileDisplayReader captions(kCaptionFilePath);
    for (const CaptionRow& row : CaptionTable) {
        captions.Read(language.c_str(), row.key, row.defaultCaption, text, kBufferSize);
        for (int id : row.controls)
            if (id != 0)
                setControlText(id, text);
    }
}
