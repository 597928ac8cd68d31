#include "sampling/KxQuasisampler.h"

#include <cmath>

namespace PelmoSampler {

const unsigned int fiboTable[32] = {1,      1,      2,      3,      5,      8,       13,      21,
                                    34,     55,     89,     144,    233,    377,     610,     987,
                                    1597,   2584,   4181,   6765,   10946,  17711,   28657,   46368,
                                    75025,  121393, 196418, 317811, 514229, 832040, 1346269, 2178309};

const Point2D vvect[20] = {
    {0, 1},                    {-0.309017, 0.951057},  {-0.587785, 0.809017},  {-0.809017, 0.587785},
    {-0.951057, 0.309017},     {-1, 0},                {-0.951057, -0.309017}, {-0.809017, -0.587785},
    {-0.587785, -0.809017},    {-0.309017, -0.951057}, {0, -1},                {0.309017, -0.951057},
    {0.587785, -0.809017},     {0.809017, -0.587785},  {0.951057, -0.309017},  {1, 0},
    {0.951057, 0.309017},      {0.809017, 0.587785},   {0.587785, 0.809017},   {0.309017, 0.951057}};

namespace {

const Point2D& Dir(int d) { return vvect[((d % 20) + 20) % 20]; }

} // namespace

// ---------------------------------------------------------------------------------------------
// TileNode

TileNode::TileNode(TileNode* parent_, int tileType_, Point2D refPt, int dir_, unsigned int newbits, int parent_slot_,
                   double scale_)
    : level(parent_ ? parent_->level + 1 : 0),
      tileType(tileType_),
      dir(((dir_ % 20) + 20) % 20),
      scale(scale_),
      p1(refPt),
      f_code(parent_ ? (parent_->f_code << 2) ^ newbits : newbits),
      parent(parent_),
      parent_slot(parent_slot_),
      terminal(true)
{
    switch (tileType) {
    case TileTypeA:
    case TileTypeB:
        p2 = p1 + Dir(dir) * scale;
        p3 = p1 + Dir(dir + 5) * scale;
        break;
    case TileTypeC:
    case TileTypeD:
        p2 = p1 + Dir(dir) * scale;
        p3 = p1 + Dir(dir + 4) * (scale * PHI);
        break;
    default: // TileTypeE, TileTypeF
        p2 = p1 + Dir(dir) * (scale * PHI2);
        p3 = p1 + Dir(dir + 2) * (scale * PHI);
        break;
    }
}

TileNode::~TileNode() { collapse(); }

void TileNode::refine()
{
    if (!children.empty()) return;
    terminal = false;
    const double s = scale / PHI;
    const int d = dir;
    auto add = [&](int type, Point2D ref, int child_dir, unsigned int bits) {
        const int slot = static_cast<int>(children.size());
        children.push_back(new TileNode(this, type, ref, child_dir, bits, slot, s));
    };
    switch (tileType) {
    case TileTypeA:
        add(TileTypeB, p1, d, 0);
        break;
    case TileTypeB:
        add(TileTypeA, p1, d + 10, 0);
        break;
    case TileTypeC:
        add(TileTypeF, p3, d + 14, 0);
        add(TileTypeC, p2, d + 6, 1);
        add(TileTypeA, children[0]->p3, d + 1, 1);
        break;
    case TileTypeD:
        add(TileTypeE, p2, d + 6, 0);
        add(TileTypeD, children[0]->p3, d + 14, 1);
        break;
    case TileTypeE:
        add(TileTypeC, p3, d + 12, 1);
        add(TileTypeE, p2, d + 8, 2);
        add(TileTypeF, p1, d, 0);
        add(TileTypeA, children[0]->p2, d + 7, 1);
        break;
    case TileTypeF:
        add(TileTypeF, p3, d + 12, 2);
        add(TileTypeE, children[0]->p3, d, 0);
        add(TileTypeD, children[1]->p3, d + 8, 1);
        add(TileTypeA, children[0]->p3, d + 15, 2);
        break;
    default:
        break;
    }
}

void TileNode::collapse()
{
    for (TileNode* c : children) delete c;
    children.clear();
    terminal = true;
}

TileNode* TileNode::nextNode()
{
    if (!children.empty()) return children[0];
    const TileNode* n = this;
    while (n->parent) {
        const TileNode* p = n->parent;
        if (n->parent_slot + 1 < static_cast<int>(p->children.size())) return p->children[n->parent_slot + 1];
        n = p;
    }
    return nullptr;
}

TileNode* TileNode::nextLeaf()
{
    TileNode* n = nextNode();
    while (n && !n->terminal) n = n->nextNode();
    return n;
}

Point2D TileNode::getDisplacedSamplingPoint(unsigned int importance) const
{
    return p1 + Quasisampler::calcDisplacementVector(importance, f_code, dir) * scale;
}

// ---------------------------------------------------------------------------------------------
// TileLeafIterator

void TileLeafIterator::begin(TileNode* s)
{
    shape = s;
    while (shape && !shape->isTerminal()) shape = shape->getChild(0);
}

bool TileLeafIterator::next()
{
    if (shape) shape = shape->nextLeaf();
    return shape != nullptr;
}

// ---------------------------------------------------------------------------------------------
// Quasisampler

Quasisampler::Quasisampler(double width_, double height_) : root(nullptr), width(width_), height(height_) {}

Quasisampler::~Quasisampler() { deleteHierarchy(); }

void Quasisampler::deleteHierarchy()
{
    if (!root) return;
    root->collapse();
    delete root;
    root = nullptr;
}

Quasisampler::PointList& Quasisampler::getSamplingPoints(PointList& pointlist, unsigned int subdivide_level)
{
    deleteHierarchy();
    pointlist.clear();
    buildAdaptiveSubdivision(subdivide_level);
    collectPoints(pointlist, true);
    return pointlist;
}

unsigned int Quasisampler::getImportanceAt_bounded(Point2D pt)
{
    // Written so that NaN coordinates fail every test.
    if (!(pt.x >= 0 && pt.x < width && pt.y >= 0 && pt.y < height)) return 0;
    return getImportanceAt(pt);
}

void Quasisampler::buildAdaptiveSubdivision(unsigned int minSubdivisionLevel)
{
    deleteHierarchy();
    const double m = width > height ? width : height;
    const double s = 2 * m;
    root = new TileNode(nullptr, TileTypeF, Point2D(-s * ROOT_OFFSET_FACTOR, -s * 0.125), 15, 0, 0, s);
    subdivideAll(static_cast<int>(minSubdivisionLevel));

    TileLeafIterator it;
    it.begin(root);
    TileNode* tile = *it;
    auto needs = [this](Point2D pt, unsigned int level) {
        const unsigned int importance = getImportanceAt_bounded(pt);
        return importance != 0 && level < getReqSubdivisionLevel(importance);
    };
    while (tile) {
        const unsigned int level = tile->getLevel();
        if (tile->isSamplingType()) {
            if (needs(tile->getP1(), level)) tile->refine();
        } else {
            if (needs(tile->getP1(), level) || needs(tile->getP2(), level) || needs(tile->getP3(), level)) {
                tile->refine();
            } else if (level < getReqSubdivisionLevel(getImportanceAt_bounded(tile->getCenter()))) {
                tile->refine();
            }
        }
        tile = tile->nextLeaf();
    }
}

void Quasisampler::subdivideAll(int times)
{
    if (!root) return;
    for (int pass = 0; pass < times; ++pass) {
        TileLeafIterator it;
        it.begin(root);
        TileNode* tile = *it;
        while (tile) {
            TileNode* next = tile->nextLeaf();
            tile->refine();
            tile = next;
        }
    }
}

void Quasisampler::collectPoints(PointList& pointlist, bool filterBounds)
{
    pointlist.clear();
    forEachAcceptedTile([&](const TileNode& tile, unsigned int importance) {
        const Point2D pt = tile.getDisplacedSamplingPoint(importance);
        if (filterBounds && !(pt.x >= 0 && pt.x < width && pt.y >= 0 && pt.y < height)) return;
        pointlist.push_back(pt);
    });
}

unsigned int Quasisampler::getReqSubdivisionLevel(unsigned int importance)
{
    if (importance == 0) return 0;
    int n = static_cast<int>(std::floor(std::log(importance * SQRT5 + 1) / LOG_PHI)) - 1;
    if (n < 1) n = 1;
    return static_cast<unsigned int>((n + 1) / 2);
}

unsigned int Quasisampler::calcFCodeValue(unsigned int bitsequence, unsigned int nbits)
{
    unsigned int value = 0;
    for (unsigned int k = 0; k < nbits && k < 32; ++k)
        if (bitsequence & (1u << k)) value += fibonacci(static_cast<int>(nbits + 1 - k));
    return value;
}

unsigned int Quasisampler::fibonacci(int i)
{
    if (i < 1) return 1;
    if (i <= 32) return fiboTable[i - 1];
    // Iteratively, the same sums as fibonacci(i - 2) + fibonacci(i - 1) (wrapping like unsigned).
    unsigned int a = fiboTable[30], b = fiboTable[31];
    for (int k = 33; k <= i; ++k) {
        const unsigned int c = a + b;
        a = b;
        b = c;
    }
    return b;
}

unsigned int Quasisampler::calcStructuralIndex(unsigned int bitsequence)
{
    return calcFCodeValue(bitsequence, NUM_STRUCT_INDEX_BITS);
}

unsigned int Quasisampler::calcImportanceIndex(unsigned int importance)
{
    const double t = std::log(SQRT5 * importance + 1) / std::log(PHI2);
    const double frac = t - std::floor(t);
    int index = static_cast<int>(std::floor(frac * LUT_SIZE));
    if (index < 0) index = 0;
    if (index >= LUT_SIZE) index = LUT_SIZE - 1;
    return static_cast<unsigned int>(index);
}

Point2D Quasisampler::calcDisplacementVector(unsigned int importance, unsigned int f_code, int dir)
{
    const unsigned int s = calcStructuralIndex(f_code);
    const unsigned int i = calcImportanceIndex(importance);
    const double a = lut[i][s][0], b = lut[i][s][1];
    return Dir(dir) * a + Dir(dir + 5) * b;
}

} // namespace PelmoSampler
