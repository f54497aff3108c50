#include "vorplan/common/language_texts.h"
