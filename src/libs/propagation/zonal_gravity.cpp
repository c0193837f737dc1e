// The zonal field's potential and its gradient. With u = z / r (the sine of
// the latitude) the degree-n term of the potential is
//   U_n = -GM Jn Re^n r^-(n+1) Pn(u),
// and since grad r = r/|r| and grad u = (z_hat - u r_hat) / r, its gradient is
//   -GM Jn Re^n r^-(n+2) [-(n+1) Pn(u) r_hat + Pn'(u) (z_hat - u r_hat)].
// Legendre polynomials by Bonnet's recursion, their derivatives by
// P'_n = u P'_(n-1) + n P_(n-1).

#include "propagation/propagator.h"

#include <cmath>

namespace orbit::propagation {
namespace {

struct Legendre {
    double p[7];
    double dp[7];
};

Legendre LegendreUpToSix(double u)
{
    Legendre l{};
    l.p[0] = 1;
    l.p[1] = u;
    l.dp[0] = 0;
    l.dp[1] = 1;
    for (int n = 1; n < 6; ++n) {
        l.p[n + 1] = ((2 * n + 1) * u * l.p[n] - n * l.p[n - 1]) / (n + 1);
        l.dp[n + 1] = u * l.dp[n] + (n + 1) * l.p[n];
    }
    return l;
}

}  // namespace

Vector3 ZonalAcceleration(const GravityModel& model, const Vector3& positionKm)
{
    const double x = positionKm[0], y = positionKm[1], z = positionKm[2];
    const double r2 = x * x + y * y + z * z;
    const double r = std::sqrt(r2);
    const double u = z / r;
    const double gmOverR2 = model.gmKm3S2 / r2;
    const Legendre l = LegendreUpToSix(u);
    // Radial and polar parts, in units of GM / r^2 (r_hat and z_hat).
    double radial = -1.0;
    double polar = 0.0;
    const double reOverR = model.equatorialRadiusKm / r;
    double scale = reOverR;
    for (int n = 2; n <= 6; ++n) {
        scale *= reOverR;  // (Re / r)^n
        const double jn = model.zonal[static_cast<std::size_t>(n - 2)];
        if (jn == 0) continue;
        const double k = -jn * scale;
        radial += k * (-(n + 1) * l.p[n] - u * l.dp[n]);
        polar += k * l.dp[n];
    }
    // a = GM/r^2 [radial r_hat + polar z_hat], with the sign of the gradient of
    // U = GM/r (1 - sum ...): the point mass gives -GM/r^2 r_hat.
    const double radialOverR = gmOverR2 * radial / r;
    return {radialOverR * x, radialOverR * y, radialOverR * z + gmOverR2 * polar};
}

double ZonalPotential(const GravityModel& model, const Vector3& positionKm)
{
    const double r = std::hypot(positionKm[0], positionKm[1], positionKm[2]);
    const Legendre l = LegendreUpToSix(positionKm[2] / r);
    const double reOverR = model.equatorialRadiusKm / r;
    double sum = 1.0;
    double scale = reOverR;
    for (int n = 2; n <= 6; ++n) {
        scale *= reOverR;
        sum -= model.zonal[static_cast<std::size_t>(n - 2)] * scale * l.p[n];
    }
    return model.gmKm3S2 / r * sum;
}

double OrbitEnergy(const GravityModel& model, const CartesianState& state)
{
    const Vector3& v = state.velocityKmS;
    return 0.5 * (v[0] * v[0] + v[1] * v[1] + v[2] * v[2]) - ZonalPotential(model, state.positionKm);
}

}  // namespace orbit::propagation
