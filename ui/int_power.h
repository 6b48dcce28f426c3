#pragma once

// base to the power exponent (not negative), as int: 1 multiplied by base exponent times.
int intPower(int base, int exponent);
