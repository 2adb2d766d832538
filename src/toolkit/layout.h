#pragma once

#include "toolkit/units.h"

#include <vector>

namespace tk {

enum class Kind { Label, TextBox, CommandButton, Image, FileListBox, Timer, Frame, Document, Link };

enum class Align { Left = 0, Right = 1, Center = 2 };

enum class ButtonStyle { Standard = 0, Graphical = 1 };

enum class StartUp { Manual, CenterOwner, CenterScreen };

struct LinkType;

// One control of a stored layout. The tables list the members in this order.
struct ControlDef {
    Kind kind = Kind::Label;
    const char* name = "";
    int index = -1;             // member of a control array, or -1
    const char* container = ""; // the frame it sits in, or the screen
    double left = 0, top = 0, width = 0, height = 0;
    const char* caption = "";
    OleColor backColor = NoColor;
    OleColor foreColor = NoColor;
    FontDef font{};
    Align alignment = Align::Left;
    bool autoSize = false;
    bool transparent = false;
    ButtonStyle style = ButtonStyle::Standard;
    bool isDefault = false; // Enter anywhere on the screen clicks it
    bool isCancel = false;  // Esc anywhere on the screen clicks it
    bool enabled = true;
    bool visible = true;
    int tabIndex = -1;
    const char* toolTip = "";
    const char* picture = "";       // a resource of the program: picture, document or link face
    int interval = 0;               // timers
    const LinkType* link = nullptr; // link controls: the kind of link it is
};

// What a link control shows inside itself, and where its pointing hand shows.
enum class LinkFace { Label, Image };
enum class LinkPointer { OnInner, OnWhole };

// A kind of link control, placed on screens by ControlDef rows of kind Link. It
// has a design size of its own and one inner label or picture at 0, 0 with a size
// of its own; a click on that inner control hands the target to the desktop.
struct LinkType {
    const char* name = "";
    double width = 0, height = 0; // design size, used when a row gives none
    OleColor backColor = NoColor; // the control's own background
    LinkFace face = LinkFace::Label;
    const char* innerName = "";
    double innerWidth = 0, innerHeight = 0;
    const char* caption = ""; // inner label
    const char* picture = ""; // inner picture: a resource of the program
    FontDef font{};
    bool transparent = false; // inner label
    const char* toolTip = "";
    LinkPointer pointer = LinkPointer::OnInner;
    const char* target = ""; // a web address without scheme, or a mailto: link
};

// A screen's stored layout: window settings and its controls.
struct FormLayout {
    const char* name = "";
    const char* caption = "";
    OleColor backColor = NoColor;
    OleColor foreColor = NoColor;
    FontDef font{};
    double clientWidth = 0, clientHeight = 0;
    bool icon = true; // the program's window icon
    bool maxButton = false;
    bool minButton = true;
    bool controlBox = true;
    bool titleBar = true;
    bool keyPreview = false;
    bool showInTaskbar = true;
    StartUp startUp = StartUp::CenterOwner;
    std::vector<ControlDef> controls;
};

} // namespace tk
