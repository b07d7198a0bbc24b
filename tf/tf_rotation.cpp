#include "tf/tf_rotation.h"

#include <algorithm>
#include <cmath>

namespace tk {

TF_Quat TF_Quat::FromAngles(double x, double y, double z) {
  const double sr = std::sin(x / 2), cr = std::cos(x / 2);
  const double sp = std::sin(y / 2), cp = std::cos(y / 2);
  const double sy = std::sin(z / 2), cy = std::cos(z / 2);
  TF_Quat q{static_cast<float>(sr * cp * cy - cr * sp * sy), static_cast<float>(cr * sp * cy + sr * cp * sy),
            static_cast<float>(cr * cp * sy - sr * sp * cy), static_cast<float>(cr * cp * cy + sr * sp * sy)};
  const float lengthSquared = q.X * q.X + q.Y * q.Y + q.Z * q.Z + q.W * q.W;
  if (lengthSquared != 1.0f) {
    const float scale = 1.0f / std::sqrt(lengthSquared);
    q = {q.X * scale, q.Y * scale, q.Z * scale, q.W * scale};
  }
  return q;
}

TF_Angles TF_Quat::ToAngles() const {
  const double x = X, y = Y, z = Z, w = W;
  const double c = std::clamp(-2.0 * (x * z - y * w), -1.0, 1.0);
  return {static_cast<float>(std::atan2(2.0 * (y * z + x * w), -x * x - y * y + z * z + w * w)),
          static_cast<float>(std::asin(c)),
          static_cast<float>(std::atan2(2.0 * (x * y + z * w), x * x - y * y - z * z + w * w))};
}

TF_Angles TF_Quat::ToSwappedAngles() const { return TF_Quat{Y, X, Z, W}.ToAngles(); }

TF_Quat TF_Quat::Slerp(TF_Quat q1, TF_Quat q2, float s) {
  float d = q1.X * q2.X + q1.Y * q2.Y + q1.Z * q2.Z + q1.W * q2.W;
  if (d < 0.0f) {
    q1 = {-q1.X, -q1.Y, -q1.Z, -q1.W};
    d = -d;
  }
  float a = 1.0f - s, b = s;
  if (1.0f - d >= 0.05f) {
    const float theta = std::acos(d);
    const float sinTheta = std::sin(theta);
    a = std::sin((1.0f - s) * theta) / sinTheta;
    b = std::sin(s * theta) / sinTheta;
  }
  return {a * q1.X + b * q2.X, a * q1.Y + b * q2.Y, a * q1.Z + b * q2.Z, a * q1.W + b * q2.W};
}

}  // namespace tk
