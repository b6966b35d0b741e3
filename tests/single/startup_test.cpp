#include "single/startup.h"

#include "chart/scale_info.h"
#include "core/batch_log.h"
#include "core/model_file_codes.h"
#include "single/model_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

TEST(SingleStartup, TheConfigurationSizesTheModelAndOpensTheLog)
{
    const ConfigType saved = Config;
    ResetBatchLog();
    TempDir dir;
    const TConfigStartup startup{TProgramVariant::Monovara,
                                 {"/RUN=Y", "/POP=3", "/DUR=120", "/REP=5000", "/ADD=coast.map"},
                                 dir.path().string(),
                                 dir.path().string()};
    single::StartSingleProgram(startup, dir.path().string());

    const multi::TMultiModel& m = multi::Model;
    EXPECT_EQ(m.MaxPops, 3);
    EXPECT_EQ(m.MaxDuration, 120);
    EXPECT_EQ(m.MaxReplications, 1000);
    EXPECT_EQ(m.PopCount, 1);
    EXPECT_EQ(m.ModelState, kStateEmpty);
    EXPECT_EQ(CurrentKindTable(), TKindTable::Monovara);
    EXPECT_EQ(ModelFileName, "Untitled.sp");
    EXPECT_TRUE(BatchLogIsOpen());
    EXPECT_EQ(BatchLogName(), dir.file("vereDUZ.REC"));

    // The configuration's map-features name travels into the saved header.
    ASSERT_EQ(single::SaveModelFile(multi::Model, dir.file("new.sp")), kModelFileOk);
    EXPECT_EQ(ReadAll(dir.file("new.sp")).substr(0, 53), "Voran/Pelivo: single population (1.0) map=coast.map\r\n");

    ResetBatchLog();
    SelectKindTable(TKindTable::Strativa);
    ProgramVariant = TProgramVariant::Strativa;
    Config = saved;
}
