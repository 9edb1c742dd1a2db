#include "GameCatalogue.h"

#include <array>

namespace {

struct Game {
    const char* rom;
    const char* description;
};

// Lines 0 to 2 are the help text a front-end may show (HelpEndLine=2); line 3 is the header
// (GameListStartLine=3). Lines stay short so the help fits an About box without wrapping.
constexpr std::array<const char*, 3> Banner = {
    "Demo Emulator 1.0 - plays pretend games",
    "Copyright (C) 2024 the Tarvelin developers",
    "Usage: demoemu <rom> [options] | demoemu -listfull",
};

// Some descriptions repeat their ROM name (whole, or inside a longer word) and one name fills
// the column exactly: list parsers meet both in real emulators' output.
constexpr std::array<Game, 41> Games = {{
    {"1942", "1942 (Revision B)"},
    {"asteroid", "Asteroid Belt Patrol"},
    {"bigbattle", "Big Battle of the Nine Kingdoms"},
    {"bubbles", "Bubbles and Friends"},
    {"cafe", "Caf\xc3\xa9 Rush"},
    {"castle", "Castle of Shadows"},
    {"centiped", "Centipede Garden"},
    {"defender", "Defender of the Planet"},
    {"digger", "Digger's Deep Adventure"},
    {"dragon", "Dragon Spirit Legend"},
    {"frogger2", "Frog Crossing II"},
    {"frontlne", "Front Line Soldier"},
    {"galaxian", "Galaxian Wars (set 2)"},
    {"golf", "Mini golf Tour"},
    {"hopper", "Hopper Hop"},
    {"invaders", "Sky Invaders"},
    {"joust", "Joust on Ostriches"},
    {"jungle", "Jungle King Junior"},
    {"kaboom", "Kaboom! Bomb Catcher"},
    {"ladder", "Ladder Climber"},
    {"mappy", "Mappy Mouse Mansion"},
    {"moonpat", "Moon Patrol Buggy"},
    {"ninja", "Ninja Gaiden Shadow"},
    {"outrun", "Outrun the Storm"},
    {"pacman", "Super pacman deluxe"},
    {"pinball", "Pinball Wizard 3000"},
    {"puzzle", "Puzzle Bobble Mania"},
    {"qbert", "Cube Jumper Q"},
    {"racer", "Turbo racer Grand Prix"},
    {"robotron", "Robot Tron 2084"},
    {"scramble", "Scramble Air Force"},
    {"sokoban", "Box Pusher (sokoban clone)"},
    {"star", "Starship starfighter"},
    {"tennis", "Table Tennis Pro"},
    {"tetris", "Falling Blocks Classic"},
    {"tron", "Light Cycles"},
    {"wizard", "Wizard of Wor"},
    {"xevious", "Xevious Solvalou Run"},
    {"yieartk", "Kung-Fu Yie Ar"},
    {"zaxxon", "Zaxxon Fortress"},
    {"zoo", "Zoo Keeper"},
}};

QByteArray row(const QByteArray& rom, const QByteArray& description) {
    return rom.leftJustified(GameCatalogue::RomColumnWidth, ' ') + ' ' + description + '\n';
}

} // namespace

QByteArray GameCatalogue::listing() {
    QByteArray text;
    for (const char* line : Banner)
        text += QByteArray(line) + '\n';
    text += row("Name", "Description");
    for (const Game& game : Games)
        text += row(game.rom, game.description);
    return text;
}
