#include "Async/ParallelFor.h"

#include "Templates/UnrealTemplate.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
	// One call's work: batches handed out by an atomic counter to the calling thread and every helper that joins.
	struct FParallelForJob
	{
		FParallelForJob(const TFunctionRef<void(int32)>& InBody, const int32 InNum, const int32 InBatchSize)
			: Body(InBody)
			, Num(InNum)
			, BatchSize(InBatchSize)
			, NumBatches((InNum + InBatchSize - 1) / InBatchSize)
		{
		}

		// Runs batches until none is left. A helper that comes late finds none and never touches Body, which
		// belongs to a caller that may have returned.
		void Work()
		{
			for (int32 Batch = NextBatch.fetch_add(1); Batch < NumBatches; Batch = NextBatch.fetch_add(1))
			{
				const int32 End = std::min(Num, (Batch + 1) * BatchSize);
				for (int32 Index = Batch * BatchSize; Index < End; ++Index)
				{
					Body(Index);
				}
				if (DoneBatches.fetch_add(1) + 1 == NumBatches)
				{
					const std::lock_guard<std::mutex> Lock(Mutex);
					Finished.notify_all();
				}
			}
		}

		void WaitUntilDone()
		{
			std::unique_lock<std::mutex> Lock(Mutex);
			Finished.wait(Lock, [this] { return DoneBatches.load() == NumBatches; });
		}

		TFunctionRef<void(int32)> Body;
		const int32 Num;
		const int32 BatchSize;
		const int32 NumBatches;
		std::atomic<int32> NextBatch{0};
		std::atomic<int32> DoneBatches{0};
		std::mutex Mutex;
		std::condition_variable Finished;
	};

	// Workers that sleep until a job is queued; made on first use, joined when the program ends.
	class FParallelForPool
	{
	public:
		static FParallelForPool& Get()
		{
			static FParallelForPool Pool;
			return Pool;
		}

		int32 GetNumThreads() const { return static_cast<int32>(Workers.size()) + 1; }

		void Help(const std::shared_ptr<FParallelForJob>& Job, const int32 NumHelpers)
		{
			{
				const std::lock_guard<std::mutex> Lock(Mutex);
				for (int32 Helper = 0; Helper < NumHelpers; ++Helper)
				{
					Queue.push_back(Job);
				}
			}
			WorkQueued.notify_all();
		}

	private:
		FParallelForPool()
		{
			const int32 NumCores = static_cast<int32>(std::max(1u, std::thread::hardware_concurrency()));
			for (int32 Worker = 1; Worker < NumCores; ++Worker)
			{
				Workers.emplace_back([this] { Run(); });
			}
		}

		~FParallelForPool()
		{
			{
				const std::lock_guard<std::mutex> Lock(Mutex);
				bStopping = true;
			}
			WorkQueued.notify_all();
			for (std::thread& Worker : Workers)
			{
				Worker.join();
			}
		}

		void Run()
		{
			for (;;)
			{
				std::shared_ptr<FParallelForJob> Job;
				{
					std::unique_lock<std::mutex> Lock(Mutex);
					WorkQueued.wait(Lock, [this] { return bStopping || !Queue.empty(); });
					if (Queue.empty())
					{
						return;
					}
					Job = std::move(Queue.front());
					Queue.pop_front();
				}
				Job->Work();
			}
		}

		std::mutex Mutex;
		std::condition_variable WorkQueued;
		std::deque<std::shared_ptr<FParallelForJob>> Queue;
		std::vector<std::thread> Workers;
		bool bStopping = false;
	};
}

namespace ParallelForImpl
{
	int32 GetNumThreads()
	{
		return FParallelForPool::Get().GetNumThreads();
	}

	void ParallelForInternal(const int32 Num, const TFunctionRef<void(int32)> Body, const int32 MinBatchSize, const EParallelForFlags Flags)
	{
		if (Num <= 0)
		{
			return;
		}
		FParallelForPool& Pool = FParallelForPool::Get();
		const int32 NumThreads = Pool.GetNumThreads();
		if (NumThreads == 1 || Num == 1 || EnumHasAnyFlags(Flags, EParallelForFlags::ForceSingleThread))
		{
			for (int32 Index = 0; Index < Num; ++Index)
			{
				Body(Index);
			}
			return;
		}
		// A few batches a thread, so that a thread slowed by others still finishes close to the rest.
		const int32 BatchSize = std::max({1, MinBatchSize, Num / (NumThreads * 4)});
		const auto Job = std::make_shared<FParallelForJob>(Body, Num, BatchSize);
		Pool.Help(Job, std::min(NumThreads - 1, Job->NumBatches - 1));
		Job->Work();
		Job->WaitUntilDone();
	}
}
