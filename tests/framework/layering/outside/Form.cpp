// A framework file that reaches into the program above it.
#include "framework/TForm.h"
  #  include "kelp/System/Language.h"
