#include "PlayFixture.h"

#include "app/Random.h"

// The scatter's grid must answer exactly as testing every group would: same draws, same spots.
TEST_F(PlayFixture, ScatterPlacesEveryGroupWhereTestingEveryOtherGroupWould) {
    MakeGrid(60, 50);
    const RECT area{2000, 2000, 2600, 2400}; // crowded: most tries collide
    auto lay = [&] {
        for (auto& piece : puzzle->pieces) // some start in and around the area, most far off
            piece->x = 1950 + piece->col * 13 % 700, piece->y = piece->row < 10 ? 1955 + piece->row * 47 : 300;
    };
    auto origins = [&] {
        std::vector<std::pair<int, int>> out;
        for (CPieceGroup* g : puzzle->groups)
            out.push_back({g->x, g->y});
        return out;
    };
    puzzle->scatterArea = area;
    lay();
    GameSeed(9);
    puzzle->Scatter();
    const auto scattered = origins();

    puzzle->ClearGroups();
    lay();
    for (auto& piece : puzzle->pieces) {
        CPieceGroup* g = puzzle->NewGroup();
        g->AddPiece(piece.get());
        g->PlaceAt(piece->x, piece->y);
        puzzle->groups.Append(g);
    }
    GameSeed(9);
    auto draw = [](int low, int high) { return high > low ? GameRand() % (high - low) + low : (GameRand(), low); };
    int crowdedTries = 0;
    for (CPieceGroup* moving : puzzle->groups) {
        POINT p{};
        bool free = false;
        for (int walk = 0; walk < 4 && !free; ++walk) {
            p.x = draw(area.left, area.right), p.y = draw(area.top, area.bottom);
            free = true;
            for (const CPieceGroup* g : puzzle->groups)
                if (g->x - 40 < p.x && p.x < g->x + 40 && g->y - 40 < p.y && p.y < g->y + 40) free = false;
            crowdedTries += !free;
        }
        if (!free) p.x = draw(area.left, area.right), p.y = draw(area.top, area.bottom);
        moving->PlaceAt(p.x, p.y);
    }
    EXPECT_EQ(scattered, origins());
    EXPECT_GT(crowdedTries, 1000);
}
