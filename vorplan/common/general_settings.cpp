#include "vorplan/common/general_settings.h"
