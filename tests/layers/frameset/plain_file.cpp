#include <unistd.h>
#include "frameset/frame_set.h"
