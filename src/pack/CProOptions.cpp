#include "pack/CProOptions.h"

CProOptions::CProOptions() = default;

CProOptions::~CProOptions() = default;

void CProOptions::Tick() {}

bool CProOptions::HitTest(int, int) const {
    return false;
}

int CProOptions::OpenLink() {
    return 0;
}

void CProOptions::DrawBanner() {}

void CProOptions::LoadFrameSurfaces() {}

void CProOptions::ShowClosingPage() {}
