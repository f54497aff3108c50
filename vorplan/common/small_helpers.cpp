#include "vorplan/common/small_helpers.h"
