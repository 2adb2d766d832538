#pragma once

#include "shell/toolkit/einheiten.h"

#include <vector>

namespace tk {

enum class Kind { Label, TextBox, CommandButton, Image, FileListBox, Timer, Frame, Document, Link };

enum class Align { Left = 0, Right = 1, Center = 2 };

enum class ButtonStyle { Standard = 0, Graphical = 1 };

enum class StartUp { Manual, CenterOwner, CenterScreen };

// One control of a stored layout. The tables list the members in this order.
struct ControlDef {
    Kind kind = Kind::Label;
    const char* name = "";
    int index = -1;              // member of a control array, or -1
    const char* container = "";  // the frame it sits in, or the screen
    double left = 0, top = 0, width = 0, height = 0;
    const char* caption = "";
    OleColor backColor = NoColor;
    OleColor foreColor = NoColor;
    FontDef font{};
    Align alignment = Align::Left;
    bool autoSize = false;
    bool transparent = false;
    ButtonStyle style = ButtonStyle::Standard;
    bool isDefault = false;      // Enter anywhere on the screen clicks it
    bool isCancel = false;       // Esc anywhere on the screen clicks it
    bool enabled = true;
    bool visible = true;
    int tabIndex = -1;
    const char* toolTip = "";
    const char* picture = "";    // a resource of the program: picture, document or link face
    int interval = 0;            // timers
    const char* target = "";     // link controls
};

// A screen's stored layout: window settings and its controls.
struct FormLayout {
    const char* name = "";
    const char* caption = "";
    OleColor backColor = NoColor;
    OleColor foreColor = NoColor;
    FontDef font{};
    double clientWidth = 0, clientHeight = 0;
    bool icon = true;
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
