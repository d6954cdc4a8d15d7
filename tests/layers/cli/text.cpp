#include "pictures/system_font.h"
#include "editor/text/system_font.h"
