// JGM-3 geopotential coefficients, un-normalised, degree 2 to degree and order 20.
#pragma once
#include <array>

// Highest degree and order of the table, and its number of (n, m) terms.
constexpr int kJgm3MaxDegree = 20;
constexpr int kJgm3Terms = 228;

// Index of C[n][m] and S[n][m] (2 <= n <= 20, 0 <= m <= n) in the tables.
constexpr int jgm3Index(int n, int m) { return n * (n + 1) / 2 + m - 3; }

// Tapley et al. (1996) JGM-3 as tabulated by Montenbruck & Gill, "Satellite Orbits" (2000).
extern const std::array<double, kJgm3Terms> kJgm3C;
extern const std::array<double, kJgm3Terms> kJgm3S;
