#include "DialogTemplate.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::uint16_t kExtendedSignature = 0xFFFF;
constexpr std::uint16_t kOrdinalMarker = 0xFFFF;
constexpr std::uint32_t kDsSetFont = 0x40; // DS_SETFONT, also part of DS_SHELLFONT

// Little-endian reads with a bounds check on every step: a template that
// ends early is reported as malformed, never read past its end.
class Reader {
public:
    Reader(const void* data, std::size_t size) : m_data(static_cast<const unsigned char*>(data)), m_size(size)
    {
    }

    bool ok() const { return m_ok; }

    std::uint8_t Byte()
    {
        if (!Need(1))
            return 0;
        return m_data[m_pos++];
    }

    std::uint16_t Word()
    {
        if (!Need(2))
            return 0;
        const std::uint16_t value = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return value;
    }

    std::uint32_t Dword()
    {
        const std::uint32_t low = Word();
        const std::uint32_t high = Word();
        return low | (high << 16);
    }

    int Short() { return static_cast<std::int16_t>(Word()); }

    std::string String()
    {
        std::string text;
        for (;;) {
            const std::uint16_t unit = Word();
            if (!m_ok || unit == 0)
                return text;
            if (unit < 0x80) {
                text.push_back(static_cast<char>(unit));
            } else {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(unit));
                text += escaped;
            }
        }
    }

    NameOrOrdinal Name()
    {
        NameOrOrdinal name;
        if (!Need(2))
            return name;
        const std::uint16_t first = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        if (first == kOrdinalMarker) {
            m_pos += 2;
            name.isOrdinal = true;
            name.ordinal = Word();
        } else {
            name.text = String();
        }
        return name;
    }

    void Skip(std::size_t bytes)
    {
        if (Need(bytes))
            m_pos += bytes;
    }

    void AlignToDword()
    {
        const std::size_t padding = (4 - m_pos % 4) % 4;
        if (m_pos + padding <= m_size)
            m_pos += padding;
        else
            m_pos = m_size; // the last item's padding may be cut off
    }

private:
    bool Need(std::size_t bytes)
    {
        if (m_ok && m_size - m_pos >= bytes)
            return true;
        m_ok = false;
        return false;
    }

    const unsigned char* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

} // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, std::size_t size)
{
    Reader in(data, size);
    DialogTemplate dialog;

    std::uint16_t itemCount = 0;
    const std::uint16_t first = in.Word();
    const std::uint16_t second = in.Word();
    if (first == 1 && second == kExtendedSignature) {
        dialog.extended = true;
        dialog.helpId = in.Dword();
        dialog.exStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = first | (static_cast<std::uint32_t>(second) << 16);
        dialog.exStyle = in.Dword();
    }
    itemCount = in.Word();
    dialog.x = in.Short();
    dialog.y = in.Short();
    dialog.cx = in.Short();
    dialog.cy = in.Short();
    dialog.menu = in.Name();
    dialog.windowClass = in.Name();
    dialog.title = in.String();
    if (dialog.style & kDsSetFont) {
        dialog.hasFont = true;
        dialog.pointSize = in.Word();
        if (dialog.extended) {
            dialog.weight = in.Word();
            dialog.italic = in.Byte();
            dialog.charset = in.Byte();
        }
        dialog.typeface = in.String();
    }

    for (std::uint16_t i = 0; i < itemCount && in.ok(); ++i) {
        in.AlignToDword();
        DialogItem item;
        if (dialog.extended) {
            item.helpId = in.Dword();
            item.exStyle = in.Dword();
            item.style = in.Dword();
        } else {
            item.style = in.Dword();
            item.exStyle = in.Dword();
        }
        item.x = in.Short();
        item.y = in.Short();
        item.cx = in.Short();
        item.cy = in.Short();
        item.id = dialog.extended ? static_cast<std::int32_t>(in.Dword()) : in.Short();
        item.windowClass = in.Name();
        item.title = in.Name();
        // The extended item counts the bytes after its size word; the plain
        // one counts its size word too.
        const std::uint16_t dataSize = in.Word();
        item.creationDataSize = dataSize;
        if (dialog.extended)
            in.Skip(dataSize);
        else if (dataSize > 2)
            in.Skip(dataSize - 2u);
        dialog.items.push_back(item);
    }
    if (!in.ok())
        return std::nullopt;
    return dialog;
}
