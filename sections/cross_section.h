#pragma once

// The road across: which widths and slopes the section has from station to
// station (the 标准横断面 by range), and how its curves tilt and widen it
// (the 超高/加宽表). From these and nothing else, the height of every edge
// above or below the design elevation at any station, so that an edge's
// elevation is the profile's design elevation plus its height difference.
//
// Stations are true distances (连续里程), like the profile's. Slopes are in
// per cent; a side's slope is the rise per metre going out from the
// centreline, so the normal crown is −2 on both sides.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "profile/chainage_equations.h"

namespace vcurve::sections {

enum class Side { Left, Right };

// The widths of one side, from the centreline out (metres, none negative).
struct SideWidths {
  double median = 0;         // 中央分隔带 half-width; 0 on an undivided road
  double carriageway = 0;    // 行车道
  double hardShoulder = 0;   // 硬路肩, sloped as the carriageway
  double earthShoulder = 0;  // 土路肩
  bool operator==(const SideWidths&) const = default;
};

// Where the profile's design elevation lies on the section in normal crown
// (JTG D20's 设计高程 rule: 路基边缘 for new 二级 and lower roads, 中央分隔带
// 外侧边缘 for 高速 and 一级, or the centreline).
enum class DesignPoint { SubgradeEdge, MedianEdge, Centreline };

struct SectionTemplate {
  double from = 0, to = 0;  // the stations it holds between
  SideWidths left, right;
  double crown = 2;          // 路拱横坡, falling outward
  double earthShoulder = 3;  // 土路肩横坡, falling outward
  DesignPoint designPoint = DesignPoint::SubgradeEdge;
  bool operator==(const SectionTemplate&) const = default;
};

// What stays at its normal-crown elevation while the section turns:
// the carriageway's inner or outer edge (unwidened), or the centre. On a
// divided road the inner and outer edges are those of the whole section,
// and the centre is the median, which stays level.
enum class RotationAxis { InnerEdge, Centreline, OuterEdge };

// One curve's 超高 and 加宽: linear transitions from start to fullStart and
// from fullEnd to end, full superelevation between.
struct Superelevation {
  double start = 0, fullStart = 0, fullEnd = 0, end = 0;
  double rate = 0;           // i_b, per cent
  Side inner = Side::Right;  // the side the curve turns to
  RotationAxis axis = RotationAxis::InnerEdge;
  double widening = 0;  // 加宽 of the inner carriageway, m
  bool operator==(const Superelevation&) const = default;
};

// The edge points of one side, from the centreline out.
enum class Edge { Median, Carriageway, HardShoulder, EarthShoulder };
inline constexpr std::size_t kEdges = 4;

struct SectionSide {
  std::array<double, kEdges> offset{};  // from the centreline, m, widening included
  std::array<double, kEdges> height{};  // above the design elevation, m
  double slope = 0;                     // of the carriageway and hard shoulder, %
  double shoulderSlope = 0;             // of the 土路肩, %
  double widening = 0;                  // m
};

// The section at one station.
struct CrossSection {
  double centre = 0;  // the centreline's height above the design elevation
  SectionSide left, right;
  bool superelevated = false;  // inside a transition or a full superelevation
  const SectionSide& side(Side s) const { return s == Side::Left ? left : right; }
  // The height at a distance out on one side; past the subgrade edge the
  // 土路肩 slope is carried on.
  double heightAt(Side s, double distance) const;
  // Negative offsets are left of the centreline.
  double heightAt(double offset) const {
    return offset < 0 ? heightAt(Side::Left, -offset) : heightAt(Side::Right, offset);
  }
};

// One refused row: the table (0 template, 1 superelevation), its row, and
// why, in Chinese, without the row (the caller knows how it numbers rows).
struct SectionProblem {
  int table = 0;
  std::size_t row = 0;
  std::string message;
};

class Sections {
 public:
  Sections() = default;
  // The rows must pass problems(); std::invalid_argument otherwise. Rows
  // are kept in station order.
  Sections(std::vector<SectionTemplate> templates, std::vector<Superelevation> curves);

  // Every row that cannot stand, in row order: negative, non-finite or
  // implausible (over 100 m) widths, a slope beyond ±20 %, a range that does not run forward,
  // templates or transitions that overlap, a transition longer than its
  // curve leaves room for, a superelevation below the crown.
  // With equations, the stations named are field stations.
  static std::vector<SectionProblem> problems(const std::vector<SectionTemplate>& templates,
                                              const std::vector<Superelevation>& curves,
                                              const profile::ChainageEquations* chainage = nullptr);

  const std::vector<SectionTemplate>& templates() const { return templates_; }
  const std::vector<Superelevation>& curves() const { return curves_; }
  bool empty() const { return templates_.empty(); }

  // nullptr where no template holds; at a boundary the later one.
  const SectionTemplate* templateAt(double station) const;
  // nullptr outside every superelevation (start and end included).
  const Superelevation* curveAt(double station) const;
  // None where no template holds.
  std::optional<CrossSection> at(double station) const;

 private:
  std::vector<SectionTemplate> templates_;
  std::vector<Superelevation> curves_;
};

// The section of a template at a station of a curve (nullptr: normal crown).
CrossSection sectionOf(const SectionTemplate& t, const Superelevation* curve, double station);

// The slopes of the outer and inner carriageway at a station of a curve,
// before rotation about the axis is applied: the outer side first turns
// about the crown until it has the crown slope, then the whole section
// turns to i_b, the outer edge rising at one rate all the way.
struct CurveSlopes {
  double outer = 0, inner = 0;  // rise going outward from the centre, %
  double widening = 0;          // m
};
CurveSlopes curveSlopes(const Superelevation& curve, double crown, double station);

}  // namespace vcurve::sections
