#include "pack/CProOptions.h"

#include "display/CSurface.h"

CProOptions::CProOptions() = default;

CProOptions::~CProOptions() = default;

bool CProOptions::Read(const std::string&) {
    return false;
}

bool CProOptions::LoadBanner(const std::string&) {
    return false;
}

void CProOptions::Tick() {}

void CProOptions::SelectFrame() {}

void CProOptions::PlaceBanner() {}

bool CProOptions::HitTest(int, int) const {
    return false;
}

int CProOptions::OpenLink() {
    return 0;
}

void CProOptions::DrawBanner() {}

void CProOptions::LoadFrameSurfaces() {}
