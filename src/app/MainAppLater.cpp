// Commands whose windows and files come in later changes; each does nothing yet.
#include "app/CMainApp.h"

void CMainApp::SavePosition() {}

void CMainApp::LoadSavedPosition() {}

void CMainApp::ShowAbout() {}
