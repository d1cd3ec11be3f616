#pragma once
// The one way a side of the board is named, wherever a group of four is kept per side.

// The four bezel edges, in the order every group of four uses: arrays, statistics, prompts,
// pictures and report sections. An internal line is named by the edge it runs beside. Each edge
// is traced one way round the board: the left one downwards, the bottom one rightwards, the right
// one upwards, the top one leftwards.
enum class Edge : int { Left = 0, Bottom = 1, Right = 2, Top = 3 };
inline constexpr Edge kEdges[4] = {Edge::Left, Edge::Bottom, Edge::Right, Edge::Top};
