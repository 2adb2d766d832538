#include "toolkit/systemcolours.h"

#include <array>

namespace tk {

namespace {

// The colours by their index, 0xRRGGBB.
constexpr std::array<QRgb, 25> Scheme{
    0xC0C0C0, // 0 scroll bar
    0x008080, // 1 desktop
    0x000080, // 2 active title bar
    0x808080, // 3 inactive title bar
    0xC0C0C0, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 title bar text
    0xC0C0C0, // 10 active border
    0xC0C0C0, // 11 inactive border
    0x808080, // 12 application workspace
    0x000080, // 13 highlight
    0xFFFFFF, // 14 highlighted text
    0xC0C0C0, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC0C0C0, // 19 inactive title bar text
    0xFFFFFF, // 20 button highlight
    0x000000, // 21 button dark shadow
    0xC0C0C0, // 22 button light
    0x000000, // 23 tool tip text
    0xFFFFE1, // 24 tool tip background
};

enum Index {
    Window = 5,
    WindowText = 8,
    Highlight = 13,
    HighlightText = 14,
    Face = 15,
    Shadow = 16,
    GreyText = 17,
    ButtonText = 18,
    Light = 20,
    DarkShadow = 21,
    Midlight = 22,
    InfoText = 23,
    InfoBack = 24
};

} // namespace

QColor systemColour(int index)
{
    return QColor::fromRgb(Scheme.at(index >= 0 && index < int(Scheme.size()) ? index : Face));
}

QPalette systemPalette()
{
    QPalette p(systemColour(ButtonText), systemColour(Face), systemColour(Light), systemColour(DarkShadow),
               systemColour(Shadow), systemColour(WindowText), systemColour(Light), systemColour(Window),
               systemColour(Face));
    p.setColor(QPalette::Midlight, systemColour(Midlight));
    p.setColor(QPalette::Highlight, systemColour(Highlight));
    p.setColor(QPalette::HighlightedText, systemColour(HighlightText));
    p.setColor(QPalette::ToolTipBase, systemColour(InfoBack));
    p.setColor(QPalette::ToolTipText, systemColour(InfoText));
    p.setColor(QPalette::PlaceholderText, systemColour(GreyText));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, systemColour(GreyText));
    return p;
}

} // namespace tk
