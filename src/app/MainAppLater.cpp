// Commands whose windows and files come in later changes; each does nothing yet.
#include "app/CMainApp.h"

void CMainApp::ShowPreferences() {}

void CMainApp::ShowAbout() {}
