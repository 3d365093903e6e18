#include "app/steel_catalogues.h"

#include "analysis/section_properties.h"
#include "geometry/codepage.h"
#include "geometry/number_format.h"

namespace {

// H shapes: H, B, tw, tf, r. Pipes: D, t and three zeros. Boxes: H, B and
// the wall thickness three times. Angles: A, B, t, I (cm⁴), area (cm²).
// Channels: H, B, t1, t2, I (cm⁴), area (cm²).
// 21 rows
constexpr std::array<std::array<float, 5>, 21> kNarrowH{{
    {100.0f, 50.0f, 5.0f, 7.0f, 8.0f},     {125.0f, 60.0f, 6.0f, 8.0f, 8.0f},     {150.0f, 75.0f, 5.0f, 7.0f, 8.0f},
    {175.0f, 90.0f, 5.0f, 8.0f, 8.0f},     {198.0f, 99.0f, 4.5f, 7.0f, 8.0f},     {200.0f, 100.0f, 5.5f, 8.0f, 8.0f},
    {248.0f, 124.0f, 5.0f, 8.0f, 8.0f},    {250.0f, 125.0f, 6.0f, 9.0f, 8.0f},    {298.0f, 149.0f, 5.5f, 8.0f, 13.0f},
    {300.0f, 150.0f, 6.5f, 9.0f, 13.0f},   {346.0f, 174.0f, 6.0f, 9.0f, 13.0f},   {350.0f, 175.0f, 7.0f, 11.0f, 13.0f},
    {396.0f, 199.0f, 7.0f, 11.0f, 13.0f},  {400.0f, 200.0f, 8.0f, 13.0f, 13.0f},  {446.0f, 199.0f, 8.0f, 12.0f, 13.0f},
    {450.0f, 200.0f, 9.0f, 14.0f, 13.0f},  {496.0f, 199.0f, 9.0f, 14.0f, 13.0f},  {500.0f, 200.0f, 10.0f, 16.0f, 13.0f},
    {596.0f, 199.0f, 10.0f, 15.0f, 13.0f}, {600.0f, 200.0f, 11.0f, 17.0f, 13.0f}, {606.0f, 201.0f, 12.0f, 20.0f, 13.0f},
}};

// 19 rows
constexpr std::array<std::array<float, 5>, 19> kMediumH{{
    {148.0f, 100.0f, 6.0f, 9.0f, 8.0f},    {194.0f, 150.0f, 6.0f, 9.0f, 8.0f},    {244.0f, 175.0f, 7.0f, 11.0f, 13.0f},
    {294.0f, 200.0f, 8.0f, 12.0f, 13.0f},  {340.0f, 250.0f, 9.0f, 14.0f, 13.0f},  {390.0f, 300.0f, 10.0f, 16.0f, 13.0f},
    {440.0f, 300.0f, 11.0f, 18.0f, 13.0f}, {482.0f, 300.0f, 11.0f, 15.0f, 13.0f}, {488.0f, 300.0f, 11.0f, 18.0f, 13.0f},
    {582.0f, 300.0f, 12.0f, 17.0f, 13.0f}, {588.0f, 300.0f, 12.0f, 20.0f, 13.0f}, {594.0f, 302.0f, 14.0f, 23.0f, 13.0f},
    {692.0f, 300.0f, 13.0f, 20.0f, 18.0f}, {700.0f, 300.0f, 13.0f, 24.0f, 18.0f}, {792.0f, 300.0f, 14.0f, 22.0f, 18.0f},
    {800.0f, 300.0f, 14.0f, 26.0f, 18.0f}, {890.0f, 299.0f, 16.0f, 23.0f, 18.0f}, {900.0f, 300.0f, 16.0f, 28.0f, 18.0f},
    {912.0f, 302.0f, 18.0f, 34.0f, 18.0f},
}};

// 20 rows
constexpr std::array<std::array<float, 5>, 20> kWideH{{
    {100.0f, 100.0f, 6.0f, 8.0f, 8.0f},    {125.0f, 125.0f, 6.5f, 9.0f, 8.0f},    {150.0f, 150.0f, 7.0f, 10.0f, 8.0f},
    {175.0f, 175.0f, 7.5f, 11.0f, 13.0f},  {200.0f, 200.0f, 8.0f, 12.0f, 13.0f},  {200.0f, 204.0f, 12.0f, 12.0f, 13.0f},
    {250.0f, 250.0f, 9.0f, 14.0f, 13.0f},  {250.0f, 255.0f, 14.0f, 14.0f, 13.0f}, {294.0f, 302.0f, 12.0f, 12.0f, 13.0f},
    {300.0f, 300.0f, 10.0f, 15.0f, 13.0f}, {300.0f, 305.0f, 15.0f, 15.0f, 13.0f}, {344.0f, 348.0f, 10.0f, 16.0f, 13.0f},
    {350.0f, 350.0f, 12.0f, 19.0f, 13.0f}, {388.0f, 402.0f, 15.0f, 15.0f, 22.0f}, {394.0f, 398.0f, 11.0f, 18.0f, 22.0f},
    {400.0f, 400.0f, 13.0f, 21.0f, 22.0f}, {400.0f, 408.0f, 21.0f, 21.0f, 22.0f}, {414.0f, 405.0f, 18.0f, 28.0f, 22.0f},
    {428.0f, 407.0f, 20.0f, 35.0f, 22.0f}, {498.0f, 432.0f, 45.0f, 70.0f, 22.0f},
}};

// 111 rows
constexpr std::array<std::array<float, 5>, 111> kPipe{{
    {21.7f, 2.0f, 0.0f, 0.0f, 0.0f},    {27.2f, 2.0f, 0.0f, 0.0f, 0.0f},    {27.2f, 2.3f, 0.0f, 0.0f, 0.0f},
    {34.0f, 2.3f, 0.0f, 0.0f, 0.0f},    {42.7f, 2.3f, 0.0f, 0.0f, 0.0f},    {42.7f, 2.8f, 0.0f, 0.0f, 0.0f},
    {48.6f, 2.3f, 0.0f, 0.0f, 0.0f},    {48.6f, 2.8f, 0.0f, 0.0f, 0.0f},    {48.6f, 3.2f, 0.0f, 0.0f, 0.0f},
    {60.5f, 2.3f, 0.0f, 0.0f, 0.0f},    {60.5f, 3.2f, 0.0f, 0.0f, 0.0f},    {60.5f, 4.0f, 0.0f, 0.0f, 0.0f},
    {76.3f, 2.8f, 0.0f, 0.0f, 0.0f},    {76.3f, 3.2f, 0.0f, 0.0f, 0.0f},    {76.3f, 4.0f, 0.0f, 0.0f, 0.0f},
    {89.1f, 2.8f, 0.0f, 0.0f, 0.0f},    {89.1f, 3.2f, 0.0f, 0.0f, 0.0f},    {89.1f, 4.0f, 0.0f, 0.0f, 0.0f},
    {101.6f, 3.2f, 0.0f, 0.0f, 0.0f},   {101.6f, 4.0f, 0.0f, 0.0f, 0.0f},   {101.6f, 5.0f, 0.0f, 0.0f, 0.0f},
    {114.3f, 3.2f, 0.0f, 0.0f, 0.0f},   {114.3f, 3.6f, 0.0f, 0.0f, 0.0f},   {114.3f, 4.5f, 0.0f, 0.0f, 0.0f},
    {114.3f, 5.6f, 0.0f, 0.0f, 0.0f},   {139.8f, 3.6f, 0.0f, 0.0f, 0.0f},   {139.8f, 4.0f, 0.0f, 0.0f, 0.0f},
    {139.8f, 4.5f, 0.0f, 0.0f, 0.0f},   {139.8f, 6.0f, 0.0f, 0.0f, 0.0f},   {165.2f, 4.5f, 0.0f, 0.0f, 0.0f},
    {165.2f, 5.0f, 0.0f, 0.0f, 0.0f},   {165.2f, 6.0f, 0.0f, 0.0f, 0.0f},   {165.2f, 7.0f, 0.0f, 0.0f, 0.0f},
    {190.7f, 4.5f, 0.0f, 0.0f, 0.0f},   {190.7f, 5.0f, 0.0f, 0.0f, 0.0f},   {190.7f, 6.0f, 0.0f, 0.0f, 0.0f},
    {190.7f, 7.0f, 0.0f, 0.0f, 0.0f},   {216.3f, 4.5f, 0.0f, 0.0f, 0.0f},   {216.3f, 6.0f, 0.0f, 0.0f, 0.0f},
    {216.3f, 7.0f, 0.0f, 0.0f, 0.0f},   {216.3f, 8.0f, 0.0f, 0.0f, 0.0f},   {267.4f, 6.0f, 0.0f, 0.0f, 0.0f},
    {267.4f, 7.0f, 0.0f, 0.0f, 0.0f},   {267.4f, 8.0f, 0.0f, 0.0f, 0.0f},   {267.4f, 9.0f, 0.0f, 0.0f, 0.0f},
    {318.5f, 6.0f, 0.0f, 0.0f, 0.0f},   {318.5f, 7.0f, 0.0f, 0.0f, 0.0f},   {318.5f, 8.0f, 0.0f, 0.0f, 0.0f},
    {318.5f, 9.0f, 0.0f, 0.0f, 0.0f},   {355.6f, 6.3f, 0.0f, 0.0f, 0.0f},   {355.6f, 8.0f, 0.0f, 0.0f, 0.0f},
    {355.6f, 9.0f, 0.0f, 0.0f, 0.0f},   {355.6f, 12.0f, 0.0f, 0.0f, 0.0f},  {406.4f, 9.0f, 0.0f, 0.0f, 0.0f},
    {406.4f, 12.0f, 0.0f, 0.0f, 0.0f},  {406.4f, 16.0f, 0.0f, 0.0f, 0.0f},  {406.4f, 19.0f, 0.0f, 0.0f, 0.0f},
    {457.2f, 9.0f, 0.0f, 0.0f, 0.0f},   {457.2f, 12.0f, 0.0f, 0.0f, 0.0f},  {457.2f, 16.0f, 0.0f, 0.0f, 0.0f},
    {457.2f, 19.0f, 0.0f, 0.0f, 0.0f},  {500.0f, 9.0f, 0.0f, 0.0f, 0.0f},   {500.0f, 12.0f, 0.0f, 0.0f, 0.0f},
    {500.0f, 14.0f, 0.0f, 0.0f, 0.0f},  {508.0f, 9.0f, 0.0f, 0.0f, 0.0f},   {508.0f, 12.0f, 0.0f, 0.0f, 0.0f},
    {508.0f, 14.0f, 0.0f, 0.0f, 0.0f},  {508.0f, 16.0f, 0.0f, 0.0f, 0.0f},  {508.0f, 19.0f, 0.0f, 0.0f, 0.0f},
    {508.0f, 22.0f, 0.0f, 0.0f, 0.0f},  {558.0f, 9.0f, 0.0f, 0.0f, 0.0f},   {558.0f, 12.0f, 0.0f, 0.0f, 0.0f},
    {558.0f, 16.0f, 0.0f, 0.0f, 0.0f},  {558.0f, 19.0f, 0.0f, 0.0f, 0.0f},  {558.0f, 22.0f, 0.0f, 0.0f, 0.0f},
    {600.0f, 9.0f, 0.0f, 0.0f, 0.0f},   {600.0f, 12.0f, 0.0f, 0.0f, 0.0f},  {600.0f, 14.0f, 0.0f, 0.0f, 0.0f},
    {600.0f, 16.0f, 0.0f, 0.0f, 0.0f},  {609.6f, 9.0f, 0.0f, 0.0f, 0.0f},   {609.6f, 12.0f, 0.0f, 0.0f, 0.0f},
    {609.6f, 14.0f, 0.0f, 0.0f, 0.0f},  {609.6f, 16.0f, 0.0f, 0.0f, 0.0f},  {609.6f, 19.0f, 0.0f, 0.0f, 0.0f},
    {609.6f, 22.0f, 0.0f, 0.0f, 0.0f},  {700.0f, 9.0f, 0.0f, 0.0f, 0.0f},   {700.0f, 12.0f, 0.0f, 0.0f, 0.0f},
    {700.0f, 14.0f, 0.0f, 0.0f, 0.0f},  {700.0f, 16.0f, 0.0f, 0.0f, 0.0f},  {711.2f, 9.0f, 0.0f, 0.0f, 0.0f},
    {711.2f, 12.0f, 0.0f, 0.0f, 0.0f},  {711.2f, 14.0f, 0.0f, 0.0f, 0.0f},  {711.2f, 16.0f, 0.0f, 0.0f, 0.0f},
    {711.2f, 19.0f, 0.0f, 0.0f, 0.0f},  {711.2f, 22.0f, 0.0f, 0.0f, 0.0f},  {812.8f, 9.0f, 0.0f, 0.0f, 0.0f},
    {812.8f, 12.0f, 0.0f, 0.0f, 0.0f},  {812.8f, 14.0f, 0.0f, 0.0f, 0.0f},  {812.8f, 16.0f, 0.0f, 0.0f, 0.0f},
    {812.8f, 19.0f, 0.0f, 0.0f, 0.0f},  {812.8f, 22.0f, 0.0f, 0.0f, 0.0f},  {914.4f, 12.0f, 0.0f, 0.0f, 0.0f},
    {914.4f, 14.0f, 0.0f, 0.0f, 0.0f},  {914.4f, 16.0f, 0.0f, 0.0f, 0.0f},  {914.4f, 19.0f, 0.0f, 0.0f, 0.0f},
    {914.4f, 22.0f, 0.0f, 0.0f, 0.0f},  {1016.0f, 12.0f, 0.0f, 0.0f, 0.0f}, {1016.0f, 14.0f, 0.0f, 0.0f, 0.0f},
    {1016.0f, 16.0f, 0.0f, 0.0f, 0.0f}, {1016.0f, 19.0f, 0.0f, 0.0f, 0.0f}, {1016.0f, 22.0f, 0.0f, 0.0f, 0.0f},
}};

// 62 rows
constexpr std::array<std::array<float, 5>, 62> kBox{{
    {50.0f, 50.0f, 2.3f, 2.3f, 2.3f},      {50.0f, 50.0f, 3.2f, 3.2f, 3.2f},      {60.0f, 60.0f, 1.6f, 1.6f, 1.6f},
    {60.0f, 60.0f, 2.3f, 2.3f, 2.3f},      {60.0f, 60.0f, 3.2f, 3.2f, 3.2f},      {75.0f, 75.0f, 2.3f, 2.3f, 2.3f},
    {75.0f, 75.0f, 3.2f, 3.2f, 3.2f},      {80.0f, 80.0f, 2.3f, 2.3f, 2.3f},      {80.0f, 80.0f, 3.2f, 3.2f, 3.2f},
    {90.0f, 90.0f, 2.3f, 2.3f, 2.3f},      {90.0f, 90.0f, 3.2f, 3.2f, 3.2f},      {100.0f, 100.0f, 2.3f, 2.3f, 2.3f},
    {100.0f, 100.0f, 3.2f, 3.2f, 3.2f},    {100.0f, 100.0f, 4.0f, 4.0f, 4.0f},    {100.0f, 100.0f, 4.5f, 4.5f, 4.5f},
    {125.0f, 125.0f, 3.2f, 3.2f, 3.2f},    {125.0f, 125.0f, 4.5f, 4.5f, 4.5f},    {125.0f, 125.0f, 5.0f, 5.0f, 5.0f},
    {125.0f, 125.0f, 6.0f, 6.0f, 6.0f},    {150.0f, 150.0f, 4.5f, 4.5f, 4.5f},    {150.0f, 150.0f, 5.0f, 5.0f, 5.0f},
    {150.0f, 150.0f, 6.0f, 6.0f, 6.0f},    {175.0f, 175.0f, 5.0f, 5.0f, 5.0f},    {175.0f, 175.0f, 6.0f, 6.0f, 6.0f},
    {200.0f, 200.0f, 6.0f, 6.0f, 6.0f},    {200.0f, 200.0f, 8.0f, 8.0f, 8.0f},    {200.0f, 200.0f, 9.0f, 9.0f, 9.0f},
    {200.0f, 200.0f, 12.0f, 12.0f, 12.0f}, {250.0f, 250.0f, 6.0f, 6.0f, 6.0f},    {250.0f, 250.0f, 9.0f, 9.0f, 9.0f},
    {250.0f, 250.0f, 12.0f, 12.0f, 12.0f}, {300.0f, 300.0f, 6.0f, 6.0f, 6.0f},    {300.0f, 300.0f, 9.0f, 9.0f, 9.0f},
    {300.0f, 300.0f, 12.0f, 12.0f, 12.0f}, {300.0f, 300.0f, 16.0f, 16.0f, 16.0f}, {300.0f, 300.0f, 19.0f, 19.0f, 19.0f},
    {350.0f, 350.0f, 9.0f, 9.0f, 9.0f},    {350.0f, 350.0f, 12.0f, 12.0f, 12.0f}, {350.0f, 350.0f, 16.0f, 16.0f, 16.0f},
    {350.0f, 350.0f, 19.0f, 19.0f, 19.0f}, {350.0f, 350.0f, 22.0f, 22.0f, 22.0f}, {400.0f, 400.0f, 9.0f, 9.0f, 9.0f},
    {400.0f, 400.0f, 12.0f, 12.0f, 12.0f}, {400.0f, 400.0f, 16.0f, 16.0f, 16.0f}, {400.0f, 400.0f, 19.0f, 19.0f, 19.0f},
    {400.0f, 400.0f, 22.0f, 22.0f, 22.0f}, {400.0f, 400.0f, 25.0f, 25.0f, 25.0f}, {450.0f, 450.0f, 9.0f, 9.0f, 9.0f},
    {450.0f, 450.0f, 12.0f, 12.0f, 12.0f}, {450.0f, 450.0f, 16.0f, 16.0f, 16.0f}, {450.0f, 450.0f, 19.0f, 19.0f, 19.0f},
    {450.0f, 450.0f, 22.0f, 22.0f, 22.0f}, {450.0f, 450.0f, 25.0f, 25.0f, 25.0f}, {450.0f, 450.0f, 28.0f, 28.0f, 28.0f},
    {450.0f, 450.0f, 32.0f, 32.0f, 32.0f}, {500.0f, 500.0f, 12.0f, 12.0f, 12.0f}, {500.0f, 500.0f, 16.0f, 16.0f, 16.0f},
    {500.0f, 500.0f, 19.0f, 19.0f, 19.0f}, {500.0f, 500.0f, 22.0f, 22.0f, 22.0f}, {500.0f, 500.0f, 25.0f, 25.0f, 25.0f},
    {500.0f, 500.0f, 28.0f, 28.0f, 28.0f}, {500.0f, 500.0f, 32.0f, 32.0f, 32.0f},
}};

// 40 rows
constexpr std::array<std::array<float, 5>, 40> kAngle{{
    {25.0f, 25.0f, 3.0f, 0.797f, 1.427f},     {30.0f, 30.0f, 3.0f, 1.42f, 1.727f},
    {40.0f, 40.0f, 3.0f, 3.53f, 2.336f},      {40.0f, 40.0f, 5.0f, 5.42f, 3.755f},
    {45.0f, 45.0f, 4.0f, 6.5f, 3.492f},       {45.0f, 45.0f, 5.0f, 7.91f, 4.302f},
    {50.0f, 50.0f, 4.0f, 9.06f, 3.892f},      {50.0f, 50.0f, 5.0f, 11.1f, 4.802f},
    {50.0f, 50.0f, 6.0f, 12.6f, 5.644f},      {60.0f, 60.0f, 4.0f, 16.0f, 4.692f},
    {60.0f, 60.0f, 5.0f, 19.6f, 5.802f},      {65.0f, 65.0f, 5.0f, 25.3f, 6.367f},
    {65.0f, 65.0f, 6.0f, 29.4f, 7.527f},      {65.0f, 65.0f, 8.0f, 36.8f, 9.761f},
    {70.0f, 70.0f, 6.0f, 37.1f, 8.127f},      {75.0f, 75.0f, 6.0f, 46.1f, 8.727f},
    {75.0f, 75.0f, 9.0f, 64.4f, 12.69f},      {75.0f, 75.0f, 12.0f, 81.9f, 16.56f},
    {80.0f, 80.0f, 6.0f, 56.4f, 9.327f},      {90.0f, 90.0f, 6.0f, 80.7f, 10.55f},
    {90.0f, 90.0f, 7.0f, 93.0f, 12.22f},      {90.0f, 90.0f, 10.0f, 125.0f, 17.0f},
    {90.0f, 90.0f, 13.0f, 156.0f, 21.71f},    {100.0f, 100.0f, 7.0f, 129.0f, 13.62f},
    {100.0f, 100.0f, 10.0f, 175.0f, 19.0f},   {100.0f, 100.0f, 13.0f, 220.0f, 24.31f},
    {120.0f, 120.0f, 8.0f, 258.0f, 18.76f},   {130.0f, 130.0f, 9.0f, 366.0f, 22.74f},
    {130.0f, 130.0f, 12.0f, 467.0f, 29.76f},  {130.0f, 130.0f, 15.0f, 568.0f, 36.75f},
    {150.0f, 150.0f, 12.0f, 740.0f, 34.77f},  {150.0f, 150.0f, 15.0f, 888.0f, 42.74f},
    {150.0f, 150.0f, 19.0f, 1090.0f, 53.38f}, {175.0f, 175.0f, 12.0f, 1170.0f, 40.52f},
    {175.0f, 175.0f, 15.0f, 1440.0f, 50.21f}, {200.0f, 200.0f, 15.0f, 2180.0f, 57.75f},
    {200.0f, 200.0f, 20.0f, 2820.0f, 76.0f},  {200.0f, 200.0f, 25.0f, 3420.0f, 93.75f},
    {250.0f, 250.0f, 25.0f, 6965.0f, 119.4f}, {250.0f, 250.0f, 35.0f, 9110.0f, 162.6f},
}};

// 16 rows
constexpr std::array<std::array<float, 6>, 16> kChannel{{
    {75.0f, 40.0f, 5.0f, 7.0f, 75.3f, 8.818f},
    {100.0f, 50.0f, 5.0f, 7.5f, 188.0f, 11.92f},
    {125.0f, 65.0f, 6.0f, 8.0f, 424.0f, 17.11f},
    {150.0f, 75.0f, 6.5f, 10.0f, 861.0f, 23.71f},
    {150.0f, 75.0f, 9.0f, 12.5f, 1050.0f, 30.59f},
    {180.0f, 75.0f, 7.0f, 10.5f, 1380.0f, 27.2f},
    {200.0f, 80.0f, 7.5f, 11.0f, 1950.0f, 31.33f},
    {200.0f, 90.0f, 8.0f, 13.5f, 2490.0f, 38.65f},
    {250.0f, 90.0f, 9.0f, 13.0f, 4180.0f, 44.07f},
    {250.0f, 90.0f, 11.0f, 14.5f, 4680.0f, 51.17f},
    {300.0f, 90.0f, 9.0f, 13.0f, 6440.0f, 48.57f},
    {300.0f, 90.0f, 10.0f, 15.5f, 7410.0f, 55.74f},
    {300.0f, 90.0f, 12.0f, 16.0f, 7870.0f, 61.9f},
    {300.0f, 100.0f, 10.5f, 16.0f, 14500.0f, 69.39f},
    {380.0f, 100.0f, 13.0f, 16.5f, 15600.0f, 78.96f},
    {380.0f, 100.0f, 13.0f, 20.0f, 17600.0f, 85.71f},
}};

template <std::size_t N, std::size_t Rows>
const std::array<float, N>* RowOf(const std::array<std::array<float, N>, Rows>& table, int index) {
  if (index < 0 || index >= static_cast<int>(Rows)) return nullptr;
  return &table[static_cast<std::size_t>(index)];
}

RCatalogueRow HShape(const std::array<float, 5>* row) {
  if (!row) return {};
  const auto& v = *row;
  return {Format("H-%3.0fX%3.0fX%4.1fX%-3.0f", {v[0], v[1], v[2], v[3]}), v};
}

}  // namespace

RCatalogueRow CatalogueNarrowH(int index) { return HShape(RowOf(kNarrowH, index)); }
RCatalogueRow CatalogueMediumH(int index) { return HShape(RowOf(kMediumH, index)); }
RCatalogueRow CatalogueWideH(int index) { return HShape(RowOf(kWideH, index)); }

RCatalogueRow CataloguePipe(int index) {
  const auto* row = RowOf(kPipe, index);
  if (!row) return {};
  return {J("○-") + Format("%3.1fX%3.1f", {(*row)[0], (*row)[1]}), *row};
}

RCatalogueRow CatalogueBox(int index) {
  const auto* row = RowOf(kBox, index);
  if (!row) return {};
  return {J("□-") + Format("%3.0fX%3.0fX%3.1f", {(*row)[0], (*row)[1], (*row)[3]}), *row};
}

RCatalogueRow CatalogueAngle(int index) {
  const auto* row = RowOf(kAngle, index);
  if (!row) return {};
  return {Format("L-%3.0fX%3.0fX%4.1f", {(*row)[0], (*row)[1], (*row)[2]}), *row};
}

RCatalogueRow CatalogueChannel(int index) {
  const auto* row = RowOf(kChannel, index);
  if (!row) return {};
  const auto& v = *row;
  return {Format("[ -%3.0f X%3.0f X%3.1f X%3.1f", {v[0], v[1], v[2], v[3]}), {v[0], v[1], v[2], v[4], v[5]}};
}

int CatalogueRowCount(SteelFamily family) {
  switch (family) {
    case SteelFamily::NarrowH: return static_cast<int>(kNarrowH.size());
    case SteelFamily::MediumH: return static_cast<int>(kMediumH.size());
    case SteelFamily::WideH: return static_cast<int>(kWideH.size());
    case SteelFamily::Box: return static_cast<int>(kBox.size());
    case SteelFamily::Pipe: return static_cast<int>(kPipe.size());
    case SteelFamily::Angle: return static_cast<int>(kAngle.size());
    case SteelFamily::Channel: return static_cast<int>(kChannel.size());
    case SteelFamily::FlatBar: return 0;
  }
  return 0;
}

RCatalogueRow CatalogueRow(SteelFamily family, int index) {
  switch (family) {
    case SteelFamily::NarrowH: return CatalogueNarrowH(index);
    case SteelFamily::MediumH: return CatalogueMediumH(index);
    case SteelFamily::WideH: return CatalogueWideH(index);
    case SteelFamily::Box: return CatalogueBox(index);
    case SteelFamily::Pipe: return CataloguePipe(index);
    case SteelFamily::Angle: return CatalogueAngle(index);
    case SteelFamily::Channel: return CatalogueChannel(index);
    case SteelFamily::FlatBar: return {};
  }
  return {};
}

std::vector<std::string> CatalogueItems(SteelFamily family) {
  std::vector<std::string> items{" "};
  for (int i = 0; i < CatalogueRowCount(family); ++i) items.push_back(CatalogueRow(family, i).Designation);
  return items;
}

bool CatalogueSection(SteelFamily family, int index, double& I, double& A) {
  if (index < 0 || index >= CatalogueRowCount(family)) return false;
  const std::array<float, 5> v = CatalogueRow(family, index).Values;
  TDanSeinoobj section;
  switch (family) {
    case SteelFamily::NarrowH:
    case SteelFamily::MediumH:
    case SteelFamily::WideH: section.CalcH(v[0], v[1], v[2], v[3], v[4]); break;
    case SteelFamily::Pipe: section.CalcPipe(v[0], v[1]); break;
    case SteelFamily::Box: section.CalcBox(v[1], v[0], v[3], v[4]); break;
    case SteelFamily::Angle:
    case SteelFamily::Channel:
      // These rows carry their own section values.
      section.Inertia = v[3];
      section.Area = v[4];
      break;
    case SteelFamily::FlatBar: return false;
  }
  I = section.Inertia;
  A = section.Area;
  return true;
}
