#pragma once
// Out of the framework and back in through a parent folder.
#include "framework/../engine/ModeModel.h"
