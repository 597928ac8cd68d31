#pragma once
// Nearest-neighbour and fixed-radius queries over a point set (the mesh
// vertices) through the ANN library.
#include <vector>

class ANNkd_tree;

namespace KxUtils {

class KxCKDtree {
public:
    KxCKDtree() = default;
    ~KxCKDtree();
    KxCKDtree(const KxCKDtree&) = delete;
    KxCKDtree& operator=(const KxCKDtree&) = delete;

    /// Copies size points of dim doubles (row after row) and builds the tree
    /// (bucket size 1, ANN's suggested split rule). Null data does nothing.
    void Build_Tree(const double* data, int size, int dim);
    /// The k nearest points of q, nearest first: indices and squared distances. Nothing without a tree.
    void Find(const double* q, int k, std::vector<int>& idx, std::vector<double>& dist) const;
    /// Points within radius of q: at most k (missing entries -1), or all of them when k <= 0.
    void Find(const double* q, double radius, int k, std::vector<int>& idx, std::vector<double>& dist) const;

    int Size() const { return m_Size; }
    int Dim() const { return m_Dim; }

private:
    void Release();

    double** mp_Points = nullptr; // ANN point array
    ANNkd_tree* mp_Tree = nullptr;
    int m_Size = 0;
    int m_Dim = 0;
};

} // namespace KxUtils
