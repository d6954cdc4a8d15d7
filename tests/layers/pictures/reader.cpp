#include "cli/cli_support.h"
