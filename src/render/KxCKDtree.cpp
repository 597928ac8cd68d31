#include "render/KxCKDtree.h"

#include <ANN/ANN.h>

#include <algorithm>

namespace KxUtils {

KxCKDtree::~KxCKDtree() { Release(); }

void KxCKDtree::Release()
{
    delete mp_Tree;
    mp_Tree = nullptr;
    if (mp_Points) annDeallocPts(mp_Points);
    mp_Points = nullptr;
    m_Size = m_Dim = 0;
}

void KxCKDtree::Build_Tree(const double* data, int size, int dim)
{
    if (!data || size <= 0 || dim <= 0) return;
    delete mp_Tree;
    mp_Tree = nullptr;
    if (!mp_Points || size != m_Size || dim != m_Dim) {
        if (mp_Points) annDeallocPts(mp_Points);
        mp_Points = annAllocPts(size, dim);
        m_Size = size;
        m_Dim = dim;
    }
    for (int i = 0; i < size; ++i) std::copy(data + i * dim, data + (i + 1) * dim, mp_Points[i]);
    mp_Tree = new ANNkd_tree(mp_Points, size, dim, 1, ANN_KD_SUGGEST);
}

void KxCKDtree::Find(const double* q, int k, std::vector<int>& idx, std::vector<double>& dist) const
{
    if (!mp_Tree || k <= 0) return;
    // ANN cannot return more neighbours than there are points.
    const int n = std::min(k, m_Size);
    idx.assign(k, 0);
    dist.assign(k, 0.0);
    mp_Tree->annkSearch(const_cast<double*>(q), n, idx.data(), dist.data(), 0.0);
}

void KxCKDtree::Find(const double* q, double radius, int k, std::vector<int>& idx, std::vector<double>& dist) const
{
    if (!mp_Tree) return;
    ANNpoint p = const_cast<double*>(q);
    const double r2 = radius * radius;
    if (k <= 0) {
        k = mp_Tree->annkFRSearch(p, r2, 0, nullptr, nullptr, 0.0);
        idx.assign(k, -1);
        dist.assign(k, 0.0);
        if (k > 0) mp_Tree->annkFRSearch(p, r2, k, idx.data(), dist.data(), 1e-05);
        return;
    }
    idx.assign(k, -1);
    dist.assign(k, 0.0);
    mp_Tree->annkFRSearch(p, r2, k, idx.data(), dist.data(), 1e-05);
}

} // namespace KxUtils
