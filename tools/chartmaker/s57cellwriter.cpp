#include "s57cellwriter.h"

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <map>
#include <memory>

namespace chartmaker {

namespace {

constexpr int kIsolatedNode = 110;
constexpr int kConnectedNode = 120;
constexpr int kEdge = 130;
constexpr int kProducingAgency = 540;

// Shoelace sum: positive for counter-clockwise rings in lon/lat.
double signedArea(const Ring& ring)
{
    double sum = 0.0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const LonLat& a = ring[i];
        const LonLat& b = ring[(i + 1) % ring.size()];
        sum += a.lon * b.lat - b.lon * a.lat;
    }
    return sum / 2.0;
}

// Skin-of-the-earth classes form group 1; everything else group 2.
int groupOf(const std::string& objectClass)
{
    static const char* const kGroup1[] = {"DEPARE", "DRGARE", "FLODOC", "HULKES", "LNDARE",
                                          "PONTON", "UNSARE"};
    for (const char* c : kGroup1)
        if (objectClass == c)
            return 1;
    return 2;
}

bool setIntegerList(OGRFeature& f, const char* field, const std::vector<int>& values)
{
    const int index = f.GetFieldIndex(field);
    if (index < 0)
        return false;
    f.SetField(index, static_cast<int>(values.size()), values.data());
    return true;
}

std::string lastGdalError(const std::string& what)
{
    const char* msg = CPLGetLastErrorMsg();
    return what + (msg && *msg ? std::string(": ") + msg : std::string());
}

} // namespace

int objectClassCode(const std::string& acronym)
{
    static const std::map<std::string, int> kCodes = {
        {"BCNCAR", 5},  {"BCNISD", 6},   {"BCNLAT", 7},   {"BCNSAW", 8},   {"BCNSPP", 9},
        {"BOYCAR", 14}, {"BOYISD", 16},  {"BOYLAT", 17},  {"BOYSAW", 18},  {"BOYSPP", 19},
        {"COALNE", 30}, {"DEPARE", 42},  {"DEPCNT", 43},  {"DRGARE", 46},  {"LNDARE", 71},
        {"LIGHTS", 75}, {"OBSTRN", 86},  {"SLCONS", 122}, {"SOUNDG", 129}, {"UWTROC", 153},
        {"WRECKS", 159}, {"M_COVR", 302},
    };
    auto it = kCodes.find(acronym);
    return it == kCodes.end() ? 0 : it->second;
}

int S57CellWriter::addNode(LonLat where)
{
    connectedNodes_.push_back(where);
    return static_cast<int>(connectedNodes_.size());
}

int S57CellWriter::addEdge(const std::vector<LonLat>& vertices, bool closed)
{
    Edge edge;
    edge.startNode = addNode(vertices.front());
    if (closed) {
        edge.endNode = edge.startNode;
        edge.interior.assign(vertices.begin() + 1, vertices.end());
    } else {
        edge.endNode = addNode(vertices.back());
        edge.interior.assign(vertices.begin() + 1, vertices.end() - 1);
    }
    edges_.push_back(std::move(edge));
    return static_cast<int>(edges_.size());
}

void S57CellWriter::addPoint(const std::string& objectClass, LonLat where, Attributes attributes)
{
    isolatedNodes_.push_back({{{where.lon, where.lat, 0.0}}, false});
    Feature f{objectClass, Primitive::Point, std::move(attributes), 0, {}};
    f.isolatedNode = static_cast<int>(isolatedNodes_.size());
    features_.push_back(std::move(f));
}

void S57CellWriter::addSoundings(std::vector<Sounding> soundings, Attributes attributes)
{
    if (soundings.empty())
        return;
    isolatedNodes_.push_back({std::move(soundings), true});
    Feature f{"SOUNDG", Primitive::Point, std::move(attributes), 0, {}};
    f.isolatedNode = static_cast<int>(isolatedNodes_.size());
    features_.push_back(std::move(f));
}

void S57CellWriter::addLine(const std::string& objectClass, Polyline line, Attributes attributes)
{
    if (line.size() < 2)
        return;
    Feature f{objectClass, Primitive::Line, std::move(attributes), 0, {}};
    const bool closed = line.front().lon == line.back().lon && line.front().lat == line.back().lat;
    if (closed)
        line.pop_back();
    f.edges.push_back({addEdge(line, closed), 1, 255});
    features_.push_back(std::move(f));
}

void S57CellWriter::addArea(const std::string& objectClass, std::vector<Ring> rings,
                            Attributes attributes)
{
    Feature f{objectClass, Primitive::Area, std::move(attributes), 0, {}};
    for (size_t i = 0; i < rings.size(); ++i) {
        Ring ring = std::move(rings[i]);
        if (ring.size() > 1 && ring.front().lon == ring.back().lon && ring.front().lat == ring.back().lat)
            ring.pop_back();
        if (ring.size() < 3)
            continue;
        // The outer boundary runs clockwise, holes anticlockwise.
        const bool outer = i == 0;
        if ((signedArea(ring) > 0) == outer)
            std::reverse(ring.begin(), ring.end());
        f.edges.push_back({addEdge(ring, true), 1, outer ? 1 : 2});
    }
    if (!f.edges.empty())
        features_.push_back(std::move(f));
}

bool S57CellWriter::write(const std::string& path, std::string* error) const
{
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("S57");
    if (!driver) {
        if (error)
            *error = "GDAL has no S-57 driver";
        return false;
    }
    CPLStringList options;
    options.SetNameValue("S57_NOGR", std::to_string(features_.size()).c_str());
    options.SetNameValue("S57_NOIN", std::to_string(isolatedNodes_.size()).c_str());
    options.SetNameValue("S57_NOCN", std::to_string(connectedNodes_.size()).c_str());
    options.SetNameValue("S57_NOED", std::to_string(edges_.size()).c_str());
    options.SetNameValue("S57_VDAT", "12"); // mean sea level
    options.SetNameValue("S57_SDAT", "12");
    options.SetNameValue("S57_CSCL", std::to_string(info_.compilationScale).c_str());
    options.SetNameValue("S57_ISDT", info_.issueDate.c_str());
    options.SetNameValue("S57_UADT", info_.issueDate.c_str());
    options.SetNameValue("S57_EDTN", "1");
    options.SetNameValue("S57_UPDN", std::to_string(info_.updateNumber).c_str());
    options.SetNameValue("S57_EXPP", info_.updateNumber > 0 ? "2" : "1");
    options.SetNameValue("S57_AGEN", std::to_string(kProducingAgency).c_str());
    options.SetNameValue("S57_COMT", info_.comment.c_str());

    CPLErrorReset();
    std::unique_ptr<GDALDataset> ds(
        driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, options.List()));
    if (!ds) {
        if (error)
            *error = lastGdalError("cannot create " + path);
        return false;
    }

    auto id = [&](size_t index) { return static_cast<int>(info_.recordIdBase + index + 1); };
    auto create = [&](OGRLayer* layer, OGRFeature& f) {
        return layer && layer->CreateFeature(&f) == OGRERR_NONE;
    };
    bool ok = true;

    OGRLayer* isolated = ds->GetLayerByName("IsolatedNode");
    for (size_t i = 0; ok && i < isolatedNodes_.size(); ++i) {
        OGRFeature f(isolated->GetLayerDefn());
        f.SetField("RCNM", kIsolatedNode);
        f.SetField("RCID", id(i));
        f.SetField("RVER", 1);
        f.SetField("RUIN", 1);
        const auto& group = isolatedNodes_[i].points;
        if (isolatedNodes_[i].soundings) {
            OGRMultiPoint mp;
            for (const Sounding& s : group)
                mp.addGeometry(new OGRPoint(s.lon, s.lat, s.depth));
            f.SetGeometry(&mp);
        } else {
            OGRPoint pt(group.front().lon, group.front().lat);
            f.SetGeometry(&pt);
        }
        ok = create(isolated, f);
    }

    OGRLayer* connected = ds->GetLayerByName("ConnectedNode");
    for (size_t i = 0; ok && i < connectedNodes_.size(); ++i) {
        OGRFeature f(connected->GetLayerDefn());
        f.SetField("RCNM", kConnectedNode);
        f.SetField("RCID", id(i));
        f.SetField("RVER", 1);
        f.SetField("RUIN", 1);
        OGRPoint pt(connectedNodes_[i].lon, connectedNodes_[i].lat);
        f.SetGeometry(&pt);
        ok = create(connected, f);
    }

    OGRLayer* edgeLayer = ds->GetLayerByName("Edge");
    for (size_t i = 0; ok && i < edges_.size(); ++i) {
        const Edge& e = edges_[i];
        OGRFeature f(edgeLayer->GetLayerDefn());
        f.SetField("RCNM", kEdge);
        f.SetField("RCID", id(i));
        f.SetField("RVER", 1);
        f.SetField("RUIN", 1);
        const int nodes[2] = {e.startNode, e.endNode};
        for (int end = 0; end < 2; ++end) {
            const std::string n = std::to_string(end);
            f.SetField(("NAME_RCNM_" + n).c_str(), kConnectedNode);
            f.SetField(("NAME_RCID_" + n).c_str(), id(nodes[end] - 1));
            f.SetField(("ORNT_" + n).c_str(), 255);
            f.SetField(("USAG_" + n).c_str(), 255);
            f.SetField(("TOPI_" + n).c_str(), end + 1); // 1 beginning node, 2 end node
            f.SetField(("MASK_" + n).c_str(), 255);
        }
        OGRLineString line;
        for (const LonLat& v : e.interior)
            line.addPoint(v.lon, v.lat);
        f.SetGeometry(&line);
        ok = create(edgeLayer, f);
    }

    for (size_t i = 0; ok && i < features_.size(); ++i) {
        const Feature& feature = features_[i];
        OGRLayer* layer = ds->GetLayerByName(feature.objectClass.c_str());
        if (!layer) {
            if (error)
                *error = "unknown object class " + feature.objectClass;
            return false;
        }
        OGRFeature f(layer->GetLayerDefn());
        f.SetField("RCID", id(i));
        f.SetField("PRIM", static_cast<int>(feature.primitive));
        f.SetField("GRUP", groupOf(feature.objectClass));
        f.SetField("OBJL", objectClassCode(feature.objectClass));
        f.SetField("RVER", 1);
        f.SetField("AGEN", kProducingAgency);
        f.SetField("FIDN", id(i));
        f.SetField("FIDS", 1);
        std::vector<int> rcnm, rcid, ornt, usag, mask;
        if (feature.isolatedNode) {
            rcnm = {kIsolatedNode};
            rcid = {id(feature.isolatedNode - 1)};
            ornt = usag = mask = {255};
        }
        for (const EdgeRef& r : feature.edges) {
            rcnm.push_back(kEdge);
            rcid.push_back(id(r.edge - 1));
            ornt.push_back(r.orientation);
            usag.push_back(r.usage);
            mask.push_back(255);
        }
        setIntegerList(f, "NAME_RCNM", rcnm);
        setIntegerList(f, "NAME_RCID", rcid);
        setIntegerList(f, "ORNT", ornt);
        setIntegerList(f, "USAG", usag);
        setIntegerList(f, "MASK", mask);
        for (const auto& [name, value] : feature.attributes) {
            const int index = f.GetFieldIndex(name.c_str());
            if (index < 0) {
                if (error)
                    *error = feature.objectClass + " has no attribute " + name;
                return false;
            }
            if (f.GetFieldDefnRef(index)->GetType() == OFTStringList) {
                const CPLStringList items(CSLTokenizeString2(value.c_str(), ",", 0));
                f.SetField(index, items.List());
            } else {
                f.SetField(index, value.c_str());
            }
        }
        ok = create(layer, f);
    }
    if (!ok) {
        if (error)
            *error = lastGdalError("cannot write " + path);
        return false;
    }
    ds.reset(); // closing flushes the file
    return true;
}

} // namespace chartmaker
