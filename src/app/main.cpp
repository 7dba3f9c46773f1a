#include "app/CTomecraftApp.h"

wxIMPLEMENT_APP(tc::CTomecraftApp);
