#include "geometry/face_point_buffer.h"

#include <new>

FacePointBuffer::~FacePointBuffer() { delete[] m_heap; }

int* FacePointBuffer::ReserveOnHeap(int count) {
  if (count <= 0) return nullptr;
  if (count > m_heapCapacity) {
    delete[] m_heap;
    m_heapCapacity = 0;
    m_heap = new (std::nothrow) int[count];
    if (m_heap == nullptr) return nullptr;
    m_heapCapacity = count;
  }
  return m_heap;
}
