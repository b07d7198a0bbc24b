#pragma once
// Quaternions for interpolating rotations that channels store as three angles
// in radians. Angles go in and come out as (x, y, z) rotation angles.

namespace tk {

struct TF_Angles {
  float x, y, z;
};

struct TF_Quat {
  float X, Y, Z, W;

  // Half-angle sines and cosines in double precision; normalised unless the
  // squared length is exactly 1.
  static TF_Quat FromAngles(double x, double y, double z);
  static TF_Quat FromAngles(const TF_Angles& a) { return FromAngles(a.x, a.y, a.z); }
  TF_Angles ToAngles() const;
  // ToAngles of the quaternion with X and Y exchanged.
  TF_Angles ToSwappedAngles() const;
  // From q1 towards q2 by s in [0, 1] along the shorter arc; linear weights when
  // the two are nearly equal. Not normalised.
  static TF_Quat Slerp(TF_Quat q1, TF_Quat q2, float s);
};

}  // namespace tk
