#include "vorplan/common/state_files.h"
