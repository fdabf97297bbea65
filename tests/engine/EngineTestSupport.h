#pragma once

#include <cmath>
#include <vector>

#include "common/SignalAnalysis.h"

#include <engine/TruncationScope.h>
