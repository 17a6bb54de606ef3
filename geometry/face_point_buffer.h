// Room for the vertex indices of one face, which may have any number of points.
// Faces up to kInlinePoints points use the inline array; a larger face grows a heap
// array that is kept for the next one, so walking a document again allocates nothing.
#pragma once

class FacePointBuffer {
 public:
  static constexpr int kInlinePoints = 64;

  constexpr FacePointBuffer() = default;
  ~FacePointBuffer();
  FacePointBuffer(const FacePointBuffer&) = delete;
  FacePointBuffer& operator=(const FacePointBuffer&) = delete;

  // Room for count indices; null when count is not positive or memory ran out.
  // Inline for the common face, which fits the inline array: it is asked once per
  // face on every snapshot.
  int* Reserve(int count) {
    if (count > 0 && count <= kInlinePoints) return m_inline;
    return ReserveOnHeap(count);
  }

 private:
  int* ReserveOnHeap(int count);

  int m_inline[kInlinePoints] = {};
  int* m_heap = nullptr;
  int m_heapCapacity = 0;
};
