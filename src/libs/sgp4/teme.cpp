#include "sgp4/teme.h"

#include "ephemeris/epoch_frame.h"

namespace orbit::sgp4 {

ephemeris::Matrix3 Eme2000ToTeme(const ephemeris::Instant& t)
{
    // The true of date turned about its pole by the equation of the
    // equinoxes, column by column.
    const ephemeris::TrueOfEpochFrame ofDate(t);
    const ephemeris::Matrix3& tod = ofDate.Eme2000ToFrame();
    ephemeris::Matrix3 m{};
    for (std::size_t j = 0; j < 3; ++j) {
        const ephemeris::Vector3 column = ofDate.ToTeme({tod[0][j], tod[1][j], tod[2][j]});
        for (std::size_t i = 0; i < 3; ++i)
            m[i][j] = column[i];
    }
    return m;
}

ephemeris::Vector3 TemeToEme2000(const ephemeris::Instant& t, const ephemeris::Vector3& teme)
{
    return ephemeris::MultiplyTransposed(Eme2000ToTeme(t), teme);
}

ephemeris::Vector3 Eme2000ToTemeVector(const ephemeris::Instant& t, const ephemeris::Vector3& eme2000)
{
    return ephemeris::Multiply(Eme2000ToTeme(t), eme2000);
}

}  // namespace orbit::sgp4
