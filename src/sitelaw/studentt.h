#pragma once

// Student's t distribution, for the confidence of a fitted law.
namespace Student {

// P(T ≤ t) for ν degrees of freedom (ν > 0).
double Eloszlás(double t, double szabadságfok);

// The t with P(T ≤ t) = p, for 0 < p < 1 and ν > 0: t(0.95, ν) is the one-sided 95 % point.
double Kvantilis(double p, double szabadságfok);

} // namespace Student
