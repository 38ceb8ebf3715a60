// Reads a compiled dialog template, plain (DLGTEMPLATE) or extended
// (DLGTEMPLATEEX), from its raw resource bytes, so that tests can compare
// what the resource compiler really wrote with the intended layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A name-or-ordinal field: a class, a menu, or a control's text (a static
// image control names its icon or bitmap by number).
struct NameOrOrdinal {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::string text; // ASCII; any other character shows as \uXXXX
};

struct DialogItem {
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    int id = 0; // sign-extended, so that "no id" reads as -1 in both formats
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
    std::size_t creationDataSize = 0;
};

struct DialogTemplate {
    bool extended = false;
    std::uint32_t helpId = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::string title;
    bool hasFont = false;
    int pointSize = 0;
    int weight = 0;  // extended templates only
    int italic = 0;  // extended templates only
    int charset = 0; // extended templates only
    std::string typeface;
    std::vector<DialogItem> items;
};

// Nothing when the bytes are not a well-formed template or end too early.
std::optional<DialogTemplate> ParseDialogTemplate(const void* data, std::size_t size);
