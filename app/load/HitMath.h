// The closed forms behind the hit probability: a group's size as a sigma, and the chance that a
// two-dimensional normal impact, centred on the aim, falls inside a rectangle or a circle.
#pragma once

namespace HitMath {

// The mean extreme spread of five shots from a circular normal group is 3.07 times the sigma of
// one axis (the mean of the largest of the ten distances between five normal points; simulated
// over many groups, in agreement with Grubbs' tables). A 1-MOA group is 0.33 MOA per axis.
inline constexpr double FiveShotSpreadPerSigma = 3.07;
inline constexpr double InchesPerMoaAt100Yd = 1.04720;
inline constexpr double YardsPerMetre = 1.0936133;

// The per-axis sigma, inches, of a group `groupMoa` (5-shot extreme spread) at `rangeYd`.
double groupSigmaIn(double groupMoa, double rangeYd);

// P(|x| <= half) for a normal of sigma `sigma` centred on 0 (1 when sigma is 0).
double insideHalfWidth(double half, double sigma);

// A rectangle centred on the aim: the product of the two axes' chances.
double rectangleProbability(double widthIn, double heightIn, double sigmaVIn, double sigmaHIn);

// A circle centred on the aim: one axis integrated numerically, the other in closed form.
double circleProbability(double diameterIn, double sigmaVIn, double sigmaHIn);

} // namespace HitMath
