#include "device/upload.h"
