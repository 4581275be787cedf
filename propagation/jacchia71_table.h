// Coefficients of the bi-polynomial fit to the Jacchia 1971 atmosphere densities.
#pragma once
#include <array>

// Eight blocks (height band 0..3 times temperature band 0..1), each 6 powers of
// z/1000 km by 5 powers of the exospheric temperature in 1000 K:
// log10(rho / kg m^-3) = sum c[b][j][i] T^i (z/1000)^j.
using Jacchia71Block = std::array<std::array<double, 5>, 6>;
using Jacchia71Blocks = std::array<Jacchia71Block, 8>;

// E. Gill (1996), DLR-GSOC IB 96-1.
extern const Jacchia71Blocks kJacchia71;
