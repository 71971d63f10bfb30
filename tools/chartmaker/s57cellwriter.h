// Writes a real S-57 ENC cell through GDAL. GDAL's S-57 writer keeps geometry only in the
// primitive records, so every feature is written as topology: points as isolated nodes,
// soundings as one multipoint isolated node, lines and area rings as edges between connected
// nodes, and the feature records refer to those primitives.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace chartmaker {

struct LonLat {
    double lon;
    double lat;
};
using Polyline = std::vector<LonLat>;
using Ring = std::vector<LonLat>; // first point not repeated at the end
struct Sounding {
    double lon;
    double lat;
    double depth;
};
// Attribute acronym and value as text ("DRVAL1", "5"; list attributes as "3,4").
using Attributes = std::vector<std::pair<std::string, std::string>>;

struct CellInfo {
    std::string name;          // the cell's data set name, e.g. "TV5DEMO1.000"
    int compilationScale = 22000;
    std::string issueDate = "20260101";
    std::string comment;
    // An update file (.001, .002...) carries its number and new records only; its record ids
    // start above those of the cell it updates.
    int updateNumber = 0;
    int recordIdBase = 0;
};

class S57CellWriter {
public:
    explicit S57CellWriter(CellInfo info) : info_(std::move(info)) {}

    void addPoint(const std::string& objectClass, LonLat where, Attributes attributes = {});
    void addLine(const std::string& objectClass, Polyline line, Attributes attributes = {});
    // The first ring is the outer boundary, the others are holes.
    void addArea(const std::string& objectClass, std::vector<Ring> rings, Attributes attributes = {});
    void addSoundings(std::vector<Sounding> soundings, Attributes attributes = {});

    // Writes the cell; on failure returns false with GDAL's reason in error.
    bool write(const std::string& path, std::string* error) const;

    size_t featureCount() const { return features_.size(); }

private:
    enum class Primitive { Point = 1, Line = 2, Area = 3 };
    struct EdgeRef {
        int edge;         // edge record id
        int orientation;  // 1 forward, 2 reverse
        int usage;        // 1 exterior, 2 interior, 3 exterior truncated; 255 for lines
    };
    struct Feature {
        std::string objectClass;
        Primitive primitive;
        Attributes attributes;
        int isolatedNode = 0;       // points and soundings
        std::vector<EdgeRef> edges; // lines and areas
    };
    struct Edge {
        int startNode;
        int endNode;
        std::vector<LonLat> interior;
    };

    int addNode(LonLat where);
    int addEdge(const std::vector<LonLat>& vertices, bool closed);

    CellInfo info_;
    std::vector<Feature> features_;
    std::vector<LonLat> connectedNodes_;
    std::vector<Edge> edges_;
    struct IsolatedNode {
        std::vector<Sounding> points; // one point, or a group of soundings
        bool soundings;
    };
    std::vector<IsolatedNode> isolatedNodes_;
};

// The object class code S-57 gives an acronym (LNDARE 71...), 0 when unknown.
int objectClassCode(const std::string& acronym);

} // namespace chartmaker
