#include "BatchEncoder.h"

#include "CommandEncoder.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kCustomResoId = 27;  // the resolution table's custom timing

class BatchWriter {
public:
    BatchWriter() { batch_.area.fill(Frame::kFill); }

    void append(uint16_t code, const Payload& payload)
    {
        Q_ASSERT(batch_.count < Frame::kLongMaxFrames);
        const ShortFrame frame = BuildShortFrame(code, payload.data());
        std::copy(frame.begin(), frame.end(),
                  batch_.area.begin() + batch_.count * Frame::kShortSize);
        ++batch_.count;
    }

    const BatchArea& result() const { return batch_; }

private:
    BatchArea batch_;
};

// Four frames per layer: record, picture, zoom, chroma key. addressOf(k) gives
// the second address byte and the layer index of set entry k.
template <int N, typename AddressOf>
BatchArea LayerSetBatch(const LayerSet<N>& set, uint8_t mode, AddressOf addressOf)
{
    BatchWriter w;
    for (int k = 0; k < N; ++k) {
        const auto [second, index] = addressOf(k);
        w.append(DeviceCode::kLayerItem, LayerRecordPayload(set.layer[k], mode, second, index));
        w.append(DeviceCode::kLayerItem,
                 LayerPicturePayload(set.picture[k], mode, second, index));
        w.append(DeviceCode::kLayerItem, LayerZoomPayload(set.zoom[k], mode, second, index));
        w.append(DeviceCode::kLayerItem, ChromaKeyPayload(set.chromaKey[k], mode, second, index));
    }
    return w.result();
}

using LayerAddress = std::pair<uint8_t, uint8_t>;

std::vector<BatchArea> LayerBatches(const MData& data)
{
    using namespace MDataLimits;
    return {
        LayerSetBatch(data.M_MosaicLayerCfg, MOSAIC_MODE,
                      [](int k) { return LayerAddress(0, k); }),
        LayerSetBatch(data.M_SwitchLayerCfg, SWITCHER_MODE,
                      [](int k) {
                          return LayerAddress(k / kSwitchGroupLayers, k % kSwitchGroupLayers);
                      }),
        LayerSetBatch(data.M_BackupLayerCfg, BACKUP_MODE,
                      [](int k) { return LayerAddress(k, k); }),
    };
}

BatchArea CropBatch(const InputData& inputs)
{
    BatchWriter w;
    for (int i = 0; i < MDataLimits::kInputs; ++i)
        for (int port = 0; port < MDataLimits::kPorts; ++port)
            w.append(DeviceCode::kInputCrop, CropPayload(inputs.crop[i], static_cast<uint8_t>(i),
                                                         static_cast<uint8_t>(port)));
    return w.result();
}

BatchArea OutputBatch(const OutputData& outputs)
{
    BatchWriter w;
    const OutputResoCfg& reso = outputs.M_OutputResoCfg;
    w.append(DeviceCode::kOutputReso,
             OutputResoPayload(reso, reso.resoId == kCustomResoId ? 2 : 0));
    for (const OutputWindowRecord& window : outputs.M_OPDisplayCfg)
        w.append(DeviceCode::kOutputWindow, OutputWindowPayload(window));
    return w.result();
}

BatchArea TaskBatch(const TaskCfg& tasks)
{
    static_assert(MDataLimits::kTasks % 2 == 0, "two tasks per frame");
    BatchWriter w;
    for (int j = 0; j < MDataLimits::kTasks; j += 2)
        w.append(DeviceCode::kTask, TaskPayload(tasks.task[j], tasks.task[j + 1]));
    return w.result();
}

}  // namespace

std::vector<BatchArea> EncodeBatch(const MData& data, int type)
{
    switch (type) {
    case SEND_ALLCROPCMD:
        return {CropBatch(data.M_InputData)};
    case SEND_ALLOUTPUTCMD:
        return {OutputBatch(data.M_OutputData)};
    case SEND_ALLLAYERCMD:
        return LayerBatches(data);
    case SEND_ALLTASKCMD:
        return {TaskBatch(data.M_TaskCfg)};
    default:
        return {};
    }
}
