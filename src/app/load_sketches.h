#pragma once
// The sketches of the load types shown beside the load grids: white and
// coloured lines on black, 183 x 105 pixels.

#include <QPixmap>

enum class LoadSketch {
  MemberUniform = 1,       // W over the member from [I] to [J]
  MemberLinear = 2,        // W1 at [I] rising to W2 at [J]
  MemberConcentrated = 3,  // P at the distance L from [I]
  NodeHorizontal = 4,      // P to the right at node [i]
  NodeVertical = 5,        // P downward
  NodeMoment = 6,          // P turning about the node
};

QPixmap DrawLoadSketch(LoadSketch sketch);
