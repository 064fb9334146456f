// Forwards to the project's VST2 interface header.
#include "../../ondrel_vst2_interface.h"
