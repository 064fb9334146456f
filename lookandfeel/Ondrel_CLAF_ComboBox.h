#pragma once

#include "lookandfeel/Ondrel_CLAF_PopupMenuFamily.h"

// The panels' combo boxes, their popup lists and the editor's menus.
class Ondrel_CLAF_ComboBox : public Ondrel_CLAF_PopupMenuFamily
{
public:
    Ondrel_CLAF_ComboBox() : Ondrel_CLAF_PopupMenuFamily ({ 4.0f, 0.6f, true }) {}
    ~Ondrel_CLAF_ComboBox() override = default;
};
