// Ram depth and bending force of one step, from the material's models, the
// die geometry and the machine.
//
// A BendCalculator is made for one step from the job's data folder; its
// Calculate loads the models of the step's material (material data file
// f_1 .. f_4 in that folder, see material_file.h) and computes the depth,
// the force and one warning code.
//
// Arithmetic follows material_model.h: the values named "32-bit" below are
// rounded to float where they are formed, the rest is long double; angles
// become radians with 3.14159 / 180. Intermediate infinities and NaNs follow
// IEEE rules; only the final depth and force are checked, and if either is
// not finite both become 0 and the warning code is kWarningNotCalculated
// (whatever was set before).
#ifndef BENDPOST_BENDCALC_BEND_CALCULATOR_H_
#define BENDPOST_BENDCALC_BEND_CALCULATOR_H_

#include <cstdint>

#include "bendcalc/bend_data.h"
#include "bendcalc/material_model.h"
#include "bendpost/cstring.h"
#include "platform/file.h"

namespace bendpost {

class BendCalculator {
 public:
  static constexpr int kMaterialFileCount = 4;

  // Forms the four material file names from the data folder; touches no
  // file. The material files are read through `files`, which must outlive
  // the calculator.
  BendCalculator(FileSystem& files, CString dataPath);
  virtual ~BendCalculator();
  BendCalculator(const BendCalculator&) = delete;
  BendCalculator& operator=(const BendCalculator&) = delete;

  // Sets warnings[0] to 0 and the result to 0, then:
  //  1. loads the models of material trunc(MaterialNumber): 0 does nothing
  //     more; outside 1..4 sets warning 3; a file that is missing,
  //     unreadable, short or has a bad term count sets warning 10. The
  //     models of the material already loaded are reused.
  //  2. stops when the thickness is 0; warns 23 / 24 when V/T is below 4 /
  //     above 20; stops with warning 23 when V <= 0.
  //  3. force estimate (1.3 x F0) and die half width; stops (depth 0) when
  //     the bend angle is outside 20..180.
  //  4. springback, neutral factor, inner radius, bend zone check (warning
  //     22), depth correction, punch travel, die angle factor, frame term,
  //     bending coefficient term: the depth.
  //  5. force x 10 and the limits: punch (53), die (54), machine minimum
  //     (51, ends), machine maximum (52).
  // Only warnings[0] is written; the last code set wins. A depth or force
  // that is no finite number at the end makes both 0 and the code
  // kWarningNotCalculated.
  void Calculate(const BendMaterialData& material,
                 const BendMachineData& machine, BendResult& result,
                 WarningCodes& warnings);

  // The file name of material 1..4.
  const CString& FileName(int material) const;
  // The material whose models are loaded, 0 for none.
  int LoadedMaterial() const { return loaded_material_; }
  const MaterialModelSet& Models() const { return models_; }

 private:
  // Loads the models for `material_number`; false stops the calculation
  // (with *warning set for codes 3 and 10).
  bool Load(float material_number, int32_t* warning);
  void Compute(const BendMaterialData& material, const BendMachineData& machine,
               BendResult& result, int32_t* warning);

  FileSystem& files_;
  CString file_names_[kMaterialFileCount];
  MaterialModelSet models_{};
  int loaded_material_ = 0;
};

// The pieces of the computation, exposed for tests.

// Degrees to radians with the driver's pi of 3.14159.
long double DegreesToRadians(long double degrees);

// Air bending force factor at V/T ratio r, interpolated linearly in the
// table from 2.5 to 30; below 2.5 the factor of 2.5, at 30 and above the
// factor of 30.
long double ForceFactor(long double ratio);

// Die half width W (32-bit): V/2 + Rd tan((180 - Ad) / 4).
float DieHalfWidth(float v_width, float die_angle, float die_radius);

// Punch travel to the load angle theta; exactly 0 at theta = 180.
long double PunchTravel(float half_width, float thickness, float die_radius,
                        float load_angle);

// Bend zone check of relative inner radius rho, neutral factor k and bend
// angle alpha. Status 0 (fine, or above 175 degrees) to 8, each later check
// replacing an earlier status; 7 means an elongation above 50 %. A status 1
// replaces rho.
struct BendGeometryResult {
  int status = 0;
  float rho = 0;
};
BendGeometryResult BendGeometry(float rho, float k, float alpha);

}  // namespace bendpost

#endif  // BENDPOST_BENDCALC_BEND_CALCULATOR_H_
