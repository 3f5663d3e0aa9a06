#pragma once
// A text of one language's file read directly, whatever language the
// system's own would pick: for tests that measure every language's texts.

#include "framework/system/ExecutableFolder.h"

#include <windows.h>

#include <string>

inline std::string LanguageText(const std::string& language, const char* key)
{
    const std::string path = ExecutableFolder() + "LangFiles\\" + language + "\\" + language + ".ini";
    char text[1024] = "";
    GetPrivateProfileStringA("Translations", key, "", text, sizeof(text), path.c_str());
    return text;
}

// The size one line of text takes in font, as the controls draw it.
inline SIZE SingleLineSize(HDC dc, HFONT font, const std::string& text)
{
    const HGDIOBJ old = SelectObject(dc, font);
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
    SelectObject(dc, old);
    return {r.right - r.left, r.bottom - r.top};
}
