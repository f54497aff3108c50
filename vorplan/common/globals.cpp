#include "vorplan/common/globals.h"

namespace vor {

SharedGlobals gShared;

}  // namespace vor
