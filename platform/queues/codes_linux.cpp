#include "queues/codes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <strings.h>

namespace queues {
namespace {

struct Paper {
    std::int16_t code;
    double width, length; // millimetres, portrait
};

// Searched in this order, so where two codes share a size the first one is read back.
constexpr Paper papers[] = {
    {1, 215.9, 279.4},   {3, 279.4, 431.8},  {5, 215.9, 355.6},   {6, 139.7, 215.9},    {7, 184.15, 266.7},
    {8, 297, 420},       {9, 210, 297},      {11, 148, 210},      {12, 257, 364},       {13, 182, 257},
    {14, 215.9, 330.2},  {15, 215, 275},     {16, 254, 355.6},    {19, 98.425, 225.425}, {20, 104.775, 241.3},
    {21, 114.3, 263.525}, {22, 120.65, 279.4}, {23, 127, 292.1},  {24, 431.8, 558.8},   {25, 558.8, 863.6},
    {26, 863.6, 1117.6}, {27, 110, 220},     {28, 162, 229},      {29, 324, 458},       {30, 229, 324},
    {31, 114, 162},      {32, 114, 229},     {42, 250, 353},      {34, 176, 250},       {36, 110, 230},
    {37, 98.425, 190.5}, {38, 92.075, 165.1}, {40, 215.9, 304.8}, {43, 100, 148},       {66, 420, 594},
    {70, 105, 148},
};

bool is(const std::string& choice, std::initializer_list<const char*> names)
{
    for (const char* n : names)
        if (strcasecmp(choice.c_str(), n) == 0)
            return true;
    return false;
}

bool contains(const std::string& choice, const std::string& part)
{
    std::string lower = choice;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find(part) != std::string::npos;
}

} // namespace

std::int16_t paper_code(double width_mm, double length_mm)
{
    for (const Paper& p : papers)
        if (std::fabs(p.width - width_mm) < 1.0 && std::fabs(p.length - length_mm) < 1.0)
            return p.code;
    return 0;
}

std::int16_t bin_code(const std::string& c)
{
    if (is(c, {"Auto", "AutoSelect", "Default"})) return 7;
    if (is(c, {"Tray1", "Upper", "Top", "OnlyOne"})) return 1;
    if (is(c, {"Tray2", "Lower", "Bottom"})) return 2;
    if (is(c, {"Middle", "Tray3"})) return 3;
    if (is(c, {"Manual", "ManualFeed"})) return 4;
    if (is(c, {"Envelope"})) return 5;
    if (is(c, {"ManualEnvelope", "EnvManual"})) return 6;
    if (is(c, {"Tractor"})) return 8;
    if (is(c, {"AnySmallFormat"})) return 9;
    if (is(c, {"AnyLargeFormat"})) return 10;
    if (is(c, {"LargeCapacity"})) return 11;
    if (is(c, {"Cassette", "Main"})) return 14;
    if (is(c, {"FormSource"})) return 15;
    return 0;
}

std::int32_t media_code(const std::string& c)
{
    if (is(c, {"Plain", "Stationery", "Standard", "Normal"})) return 1;
    if (is(c, {"Transparency"})) return 2;
    if (is(c, {"Glossy", "Photo", "PhotoGlossy"})) return 3;
    return 0;
}

std::int16_t colour_code(const std::string& c)
{
    return contains(c, "gray") || contains(c, "grey") || contains(c, "mono") || is(c, {"Black", "K"}) ? 1 : 2;
}

bool plain_grey(const std::string& c)
{
    return is(c, {"Gray", "Grey", "Grayscale", "Greyscale", "Mono", "Monochrome", "Black", "K"});
}

std::int16_t duplex_code(const std::string& c)
{
    if (is(c, {"None", "Simplex", "Off", "False"})) return 1;
    if (is(c, {"DuplexNoTumble", "LongEdge", "True"})) return 2;
    if (is(c, {"DuplexTumble", "ShortEdge"})) return 3;
    return 0;
}

std::int16_t resolution_dpi(const std::string& c)
{
    const long dpi = std::strtol(c.c_str(), nullptr, 10);
    return dpi > 0 && dpi <= 32767 ? static_cast<std::int16_t>(dpi) : 0;
}

} // namespace queues
