#include <unistd.h>
#include <sys/stat.h>
