#pragma once

// Every look of the kit, for owners that set several of them.
#include "lookandfeel/KesCLAF_PresetNameLabel.h"
#include "lookandfeel/KesCLAF_RndRstButton.h"
#include "lookandfeel/Ondrel_CLAF_BypassButton.h"
#include "lookandfeel/Ondrel_CLAF_ComboBox.h"
#include "lookandfeel/Ondrel_CLAF_EnvSlider.h"
#include "lookandfeel/Ondrel_CLAF_LogoLabel.h"
#include "lookandfeel/Ondrel_CLAF_MenuButton.h"
#include "lookandfeel/Ondrel_CLAF_PanelLabel.h"
#include "lookandfeel/Sorrendi_CLAF_Knob1_Bipolar.h"
#include "lookandfeel/Tamberlo_CLAF_Knob4.h"
