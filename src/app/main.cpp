#include "app/CKALVIROApp.h"

wxIMPLEMENT_APP(kalviro::CKALVIROApp);
