#pragma once

#include <QString>
#include <vector>
